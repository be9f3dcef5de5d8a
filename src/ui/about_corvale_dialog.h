// A small message box about the organisation that distributes TAVO: a picture,
// a message and the organisation's web link. Its opener sets all three texts.
#pragma once

#include <QDialog>

class QLabel;

namespace tavo {

class Dialogs;
class LinkLabel;

class AboutCorvaleDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutCorvaleDialog(Dialogs& dialogs, QWidget* parent = nullptr);

    void fill(const QString& caption, const QString& message, const QString& address);

    // The two ways the Help menu fills it.
    void fill_as_getting_tavo();
    void fill_as_about_corvale();

private:
    QLabel* m_about_box = nullptr;
    LinkLabel* m_link = nullptr;
};

} // namespace tavo
