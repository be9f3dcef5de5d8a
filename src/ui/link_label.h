// A web address shown as a link (blue, underlined, a pointing hand) that opens
// with the desktop's handler when clicked or activated from the keyboard.
#pragma once

#include <QLabel>

namespace tavo {

class Dialogs;

class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    LinkLabel(Dialogs& dialogs, QWidget* parent = nullptr);

    void set_address(const QString& address);
    QString address() const { return m_address; }
    // What a click does: open the address shown.
    void HyperJump();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Dialogs& m_dialogs;
    QString m_address;
};

} // namespace tavo
