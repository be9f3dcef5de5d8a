// The save prompt `Save_Exit`: a question, a question icon and the buttons
// Yes, No and Cancel. It only asks; each button hides it and says which was
// pressed, and the file commands carry the answer out.
#pragma once

#include <QDialog>

class QLabel;

namespace tavo {

class SaveExitDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SaveExitDialog(QWidget* parent = nullptr);

    void set_question(const QString& question);
    QString question() const;

Q_SIGNALS:
    void yes_clicked();
    void no_clicked();

private:
    QLabel* m_question = nullptr;
};

} // namespace tavo
