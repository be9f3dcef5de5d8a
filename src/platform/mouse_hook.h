// The switch reaches the program as the left mouse button, or as a key the
// administrator chose. The mouse hook hands every left-button message of the
// program to each installed client, once, whatever window or control is under
// the pointer, and never consumes it: the control under the pointer gets the
// click as usual. The chosen key's press and release come as the same messages.
#pragma once

#include "switch_keys.h"

#include <cstdint>

namespace tavo {

inline constexpr std::int32_t WM_LBUTTONDOWN_MESSAGE = 0x0201;
inline constexpr std::int32_t WM_LBUTTONUP_MESSAGE = 0x0202;
inline constexpr std::int32_t WM_LBUTTONDBLCLK_MESSAGE = 0x0203;
inline constexpr int WH_MOUSE_HOOK = 7;

class MouseHookClient {
public:
    virtual ~MouseHookClient() = default;
    // wParam carries the message; the return value and bConsume are ignored
    // by the hook, which never consumes a message.
    virtual std::int32_t HookProc(std::int32_t eType, std::int32_t nCode, std::int32_t wParam,
                                  std::int32_t lParam, bool& bConsume) = 0;
};

class MouseHook {
public:
    virtual ~MouseHook() = default;
    // Installing an installed client again, or removing one that is not
    // installed, changes nothing: a client never gets a message twice.
    virtual void install(MouseHookClient& client, int hook_type) = 0;
    virtual void remove(MouseHookClient& client, int hook_type) = 0;
    virtual bool installed(const MouseHookClient& client) const = 0;
    // What the switch sends besides the left button, which always counts.
    virtual void set_switch_sends(SwitchSends choice) = 0;
};

} // namespace tavo
