// The Options menu's Switch Sends dialog: whether the switch interface sends
// the left mouse button or a key, and which. It only asks; the main window
// keeps the answer.
#pragma once

#include "switch_keys.h"

#include <QDialog>
#include <array>

class QRadioButton;

namespace tavo {

class SwitchSendsDialog final : public QDialog {
    Q_OBJECT
public:
    SwitchSendsDialog(SwitchSends current, QWidget* parent = nullptr);

    // The choice ticked now.
    SwitchSends choice() const;

private:
    std::array<QRadioButton*, 4> m_choices{};
};

} // namespace tavo
