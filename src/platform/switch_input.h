// The switch input: every edge of the switch in the program, handed once to
// each installed client, whatever window or control is under the pointer.
// Nothing is consumed: the control under the pointer (or the focused one, for
// a key) gets its event as usual.
#pragma once

#include "switch_event.h"
#include "switch_keys.h"

namespace tavo {

class SwitchClient {
public:
    virtual ~SwitchClient() = default;
    virtual void on_switch_event(const SwitchEvent& event) = 0;
};

class SwitchInput {
public:
    virtual ~SwitchInput() = default;
    // Installing an installed client again, or removing one that is not
    // installed, changes nothing: a client never gets an event twice.
    virtual void install(SwitchClient& client) = 0;
    virtual void remove(SwitchClient& client) = 0;
    virtual bool installed(const SwitchClient& client) const = 0;
    // What the switch sends besides the left button, which always counts.
    virtual void set_switch_sends(SwitchSends choice) = 0;
};

} // namespace tavo
