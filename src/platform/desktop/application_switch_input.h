// The real switch input over the application's events.
#pragma once

#include "event_stamp_clock.h"
#include "switch_input.h"

#include <QObject>

class QInputEvent;
#include <vector>

namespace tavo {

// Watches the application's events at the window level, where each mouse
// and key event arrives exactly once before a widget gets it. A press that
// makes a double click is presented as a double-click press only, as the
// switch interface's own system would report it. The chosen key's press and
// release are presented as the left button's. Each edge carries the time the
// input system stamped on its event, on our clock.
class ApplicationSwitchInput final : public QObject, public SwitchInput {
    Q_OBJECT
public:
    ApplicationSwitchInput();
    ~ApplicationSwitchInput() override;

    void install(SwitchClient& client) override;
    void remove(SwitchClient& client) override;
    bool installed(const SwitchClient& client) const override;
    void set_switch_sends(SwitchSends choice) override;
    SwitchSends switch_sends() const { return m_switch_sends; }

    // Hands one event to every installed client, as a real one would be.
    void dispatch(const SwitchEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SwitchEvent switch_event(SwitchEdge edge, const QInputEvent* event);

    std::vector<SwitchClient*> m_clients;
    SwitchSends m_switch_sends = SwitchSends::left_button;
    SwitchKeyPairing m_keys;
    EventStampClock m_stamps{input_stamp_relation()};
};

} // namespace tavo
