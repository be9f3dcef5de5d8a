// What the switch sends, and which key events stand for its presses and
// releases. Many switch interfaces send a key instead of a mouse button; the
// key then reaches the trial logic as the same switch edges as the button, so
// the tests and their timing do not know which one the switch sends.
#pragma once

#include "switch_event.h"

#include <QString>
#include <Qt>
#include <optional>

namespace tavo {

enum class SwitchSends { left_button, space, enter, any_key };

// The choice's name on the command line ("mouse", "space", "enter", "any"),
// and back; nullopt for a name that is none of them.
QString switch_sends_name(SwitchSends choice);
std::optional<SwitchSends> switch_sends_from_name(const QString& name);

// How the instructions name the switch's key ("Space"); empty for the mouse.
QString switch_key_caption(SwitchSends choice);

// The switch edge one key event stands for under `choice`, or nullopt when it
// is none. Auto-repeat is never a press or a release.
// A press with Ctrl, Alt or Meta held belongs to the administrator (Ctrl+R,
// Alt+F4, the window system's keys), as do those keys themselves. A release
// is judged by its key alone: a modifier pressed while the switch is held
// must not keep the switch down.
std::optional<SwitchEdge> switch_key_edge(int key, Qt::KeyboardModifiers modifiers,
                                          bool auto_repeat, bool pressed, SwitchSends choice);

// Pairs the key switch's presses and releases as a button's are paired: the
// key that pressed the switch holds it down, and every press (its own repeats
// included) is ignored until that key's release lets it go.
class SwitchKeyPairing {
public:
    std::optional<SwitchEdge> edge(int key, Qt::KeyboardModifiers modifiers, bool auto_repeat,
                                   bool pressed, SwitchSends choice);
    // The held key's release can no longer come to us (the choice changed,
    // or another program took the keyboard): the next press is a press.
    void forget() { m_held_key = 0; }

private:
    int m_held_key = 0;
};

} // namespace tavo
