#include "application_switch_input.h"

#include "key_repeat.h"
#include "timer_resolution.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVarLengthArray>
#include <QWindow>
#include <algorithm>

namespace tavo {

namespace {

// The switch edge a left-button event stands for; nullopt for every other event.
std::optional<SwitchEdge> edge_of(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return std::nullopt;
        }
        // A press Qt marks as the start of a double click is a press all the
        // same; the double-click event that follows it is not looked at.
        return SwitchEdge::press;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton) {
            return SwitchEdge::release;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

ApplicationSwitchInput::ApplicationSwitchInput() {
    QCoreApplication::instance()->installEventFilter(this);
    report_key_repeats_as_presses();
}

ApplicationSwitchInput::~ApplicationSwitchInput() = default;

void ApplicationSwitchInput::install(SwitchClient& client) {
    if (!installed(client)) {
        m_clients.push_back(&client);
    }
}

void ApplicationSwitchInput::remove(SwitchClient& client) {
    std::erase(m_clients, &client);
}

bool ApplicationSwitchInput::installed(const SwitchClient& client) const {
    return std::find(m_clients.begin(), m_clients.end(), &client) != m_clients.end();
}

void ApplicationSwitchInput::set_switch_sends(SwitchSends choice) {
    m_switch_sends = choice;
    m_keys.forget();
}

void ApplicationSwitchInput::dispatch(const SwitchEvent& event) {
    // A client may remove itself, or another, while it handles the event.
    // The copy lives on the stack: nothing is allocated before a client
    // reads the clock.
    const QVarLengthArray<SwitchClient*, 8> clients(m_clients.begin(), m_clients.end());
    for (SwitchClient* client : clients) {
        if (installed(*client)) {
            client->on_switch_event(event);
        }
    }
}

SwitchEvent ApplicationSwitchInput::switch_event(SwitchEdge edge, const QInputEvent* event) {
    // The clock is read here only for a platform whose stamps need their
    // offset measured; the trial logic takes its own delivery reading.
    return {edge, m_stamps.to_reading(event->timestamp(), system_milliseconds())};
}

bool ApplicationSwitchInput::eventFilter(QObject* watched, QEvent* event) {
    // Mouse and key events reach the window first and are then passed to
    // widgets (and on to their parents): looking at the window level alone
    // sees each event once.
    const QEvent::Type type = event->type();
    if (type == QEvent::ApplicationStateChange &&
        static_cast<const QApplicationStateChangeEvent*>(event)->applicationState() !=
            Qt::ApplicationActive) {
        // The held key's release now goes to another program.
        m_keys.forget();
    }
    if (!watched->isWindowType()) {
        return false;
    }
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        if (m_switch_sends == SwitchSends::left_button) {
            return false;
        }
        // Paired whether or not a client is installed, as a button is: a key
        // held down as a test's client is installed lets the switch go when
        // it is released.
        const auto* key = static_cast<const QKeyEvent*>(event);
        const std::optional<SwitchEdge> edge =
            m_keys.edge(key->key(), key->modifiers(), key->isAutoRepeat(), type == QEvent::KeyPress,
                        m_switch_sends);
        if (edge && !m_clients.empty()) {
            dispatch(switch_event(*edge, key));
        }
        return false;
    }
    if (!m_clients.empty()) {
        if (const std::optional<SwitchEdge> edge = edge_of(event)) {
            dispatch(switch_event(*edge, static_cast<const QInputEvent*>(event)));
        }
    }
    return false;
}

} // namespace tavo
