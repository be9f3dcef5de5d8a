// The real mouse hook over the application's events.
#pragma once

#include "mouse_hook.h"

#include <QObject>
#include <vector>

namespace tavo {

// Watches the application's events at the window level, where each mouse
// and key event arrives exactly once before a widget gets it. A press that
// makes a double click is presented as a double-click message only, as the
// switch interface's own system would report it. The chosen key's press and
// release are presented as the left button's.
class ApplicationMouseHook final : public QObject, public MouseHook {
    Q_OBJECT
public:
    ApplicationMouseHook();
    ~ApplicationMouseHook() override;

    void install(MouseHookClient& client, int hook_type) override;
    void remove(MouseHookClient& client, int hook_type) override;
    bool installed(const MouseHookClient& client) const override;
    void set_switch_sends(SwitchSends choice) override;
    SwitchSends switch_sends() const { return m_switch_sends; }

    // Hands one message to every installed client, as a real event would.
    void dispatch(std::int32_t message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<MouseHookClient*> m_clients;
    SwitchSends m_switch_sends = SwitchSends::left_button;
    SwitchKeyPairing m_keys;
};

} // namespace tavo
