#include "switch_sends_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavo {

namespace {

struct Choice {
    SwitchSends sends;
    const char* name;
    const char* caption;
};

constexpr std::array<Choice, 4> choices{{
    {SwitchSends::left_button, "sends_left_button", "&Left mouse button"},
    {SwitchSends::space, "sends_space", "&Space"},
    {SwitchSends::enter, "sends_enter", "&Enter"},
    {SwitchSends::any_key, "sends_any_key", "&Any key but the administrator's"},
}};

} // namespace

SwitchSendsDialog::SwitchSendsDialog(SwitchSends current, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Switch_Sends"));
    setWindowTitle(QStringLiteral("Switch Sends"));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        QStringLiteral("What does the switch interface send when the switch is pressed?\n"
                       "The left mouse button always works as well. Ctrl+R, Alt+F4 and other\n"
                       "keys pressed with Ctrl or Alt stay the administrator's."),
        this);
    explanation->setObjectName(QStringLiteral("sends_explanation"));
    layout->addWidget(explanation);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        m_choices[i] = new QRadioButton(QString::fromLatin1(choices[i].caption), this);
        m_choices[i]->setObjectName(QString::fromLatin1(choices[i].name));
        m_choices[i]->setChecked(choices[i].sends == current);
        layout->addWidget(m_choices[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("sends_buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QRadioButton* button : m_choices) {
        if (button->isChecked()) {
            button->setFocus();
        }
    }
}

SwitchSends SwitchSendsDialog::choice() const {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (m_choices[i]->isChecked()) {
            return choices[i].sends;
        }
    }
    return SwitchSends::left_button;
}

} // namespace tavo
