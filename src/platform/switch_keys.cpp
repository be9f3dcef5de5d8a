#include "switch_keys.h"

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

std::optional<SwitchEdge> switch_key_edge(int key, Qt::KeyboardModifiers modifiers,
                                          bool auto_repeat, bool pressed, SwitchSends choice) {
    if (auto_repeat || !is_switch_key(key, choice)) {
        return std::nullopt;
    }
    if (!pressed) {
        return SwitchEdge::release;
    }
    if (modifiers & administrator_modifiers) {
        return std::nullopt;
    }
    return SwitchEdge::press;
}

std::optional<SwitchEdge> SwitchKeyPairing::edge(int key, Qt::KeyboardModifiers modifiers,
                                                 bool auto_repeat, bool pressed,
                                                 SwitchSends choice) {
    const std::optional<SwitchEdge> edge =
        switch_key_edge(key, modifiers, auto_repeat, pressed, choice);
    if (edge == SwitchEdge::press) {
        // Some window systems report a held key's repeats as plain presses.
        if (m_held_key != 0) {
            return std::nullopt;
        }
        m_held_key = key;
        return edge;
    }
    if (edge == SwitchEdge::release && key == m_held_key) {
        m_held_key = 0;
        return edge;
    }
    return std::nullopt;
}

} // namespace tavo
