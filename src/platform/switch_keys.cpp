#include "switch_keys.h"

#include "mouse_hook.h"

namespace tavo {

namespace {

constexpr Qt::KeyboardModifiers administrator_modifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool is_modifier_key(int key) {
    switch (key) {
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

bool is_switch_key(int key, SwitchSends choice) {
    switch (choice) {
    case SwitchSends::left_button:
        return false;
    case SwitchSends::space:
        return key == Qt::Key_Space;
    case SwitchSends::enter:
        // Return on the main keyboard, Enter on the keypad.
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    case SwitchSends::any_key:
        return key != 0 && key != Qt::Key_unknown && !is_modifier_key(key);
    }
    return false;
}

} // namespace

QString switch_sends_name(SwitchSends choice) {
    switch (choice) {
    case SwitchSends::left_button:
        return QStringLiteral("mouse");
    case SwitchSends::space:
        return QStringLiteral("space");
    case SwitchSends::enter:
        return QStringLiteral("enter");
    case SwitchSends::any_key:
        return QStringLiteral("any");
    }
    return {};
}

std::optional<SwitchSends> switch_sends_from_name(const QString& name) {
    for (SwitchSends choice :
         {SwitchSends::left_button, SwitchSends::space, SwitchSends::enter, SwitchSends::any_key}) {
        if (name.compare(switch_sends_name(choice), Qt::CaseInsensitive) == 0) {
            return choice;
        }
    }
    return std::nullopt;
}

QString switch_key_caption(SwitchSends choice) {
    switch (choice) {
    case SwitchSends::left_button:
        return {};
    case SwitchSends::space:
        return QStringLiteral("Space");
    case SwitchSends::enter:
        return QStringLiteral("Enter");
    case SwitchSends::any_key:
        return QStringLiteral("any key");
    }
    return {};
}

std::int32_t switch_key_message(int key, Qt::KeyboardModifiers modifiers, bool auto_repeat,
                                bool pressed, SwitchSends choice) {
    if (auto_repeat || !is_switch_key(key, choice)) {
        return 0;
    }
    if (!pressed) {
        return WM_LBUTTONUP_MESSAGE;
    }
    return (modifiers & administrator_modifiers) ? 0 : WM_LBUTTONDOWN_MESSAGE;
}

std::int32_t SwitchKeyPairing::message(int key, Qt::KeyboardModifiers modifiers, bool auto_repeat,
                                       bool pressed, SwitchSends choice) {
    const std::int32_t message = switch_key_message(key, modifiers, auto_repeat, pressed, choice);
    if (message == WM_LBUTTONDOWN_MESSAGE) {
        // Some window systems report a held key's repeats as plain presses.
        if (m_held_key != 0) {
            return 0;
        }
        m_held_key = key;
        return message;
    }
    if (message == WM_LBUTTONUP_MESSAGE && key == m_held_key) {
        m_held_key = 0;
        return message;
    }
    return 0;
}

} // namespace tavo
