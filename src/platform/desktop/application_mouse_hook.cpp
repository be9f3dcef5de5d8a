#include "application_mouse_hook.h"

#include "key_repeat.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVarLengthArray>
#include <QWindow>
#include <algorithm>

namespace tavo {

namespace {

// The message a left-button event stands for, or 0 for every other event.
std::int32_t message_of(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return 0;
        }
        // Qt follows such a press with a double-click event; the pair is one
        // double-click message.
        return mouse->flags().testFlag(Qt::MouseEventCreatedDoubleClick) ? WM_LBUTTONDBLCLK_MESSAGE
                                                                         : WM_LBUTTONDOWN_MESSAGE;
    }
    case QEvent::MouseButtonRelease:
        return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton
                   ? WM_LBUTTONUP_MESSAGE
                   : 0;
    default:
        return 0;
    }
}

} // namespace

ApplicationMouseHook::ApplicationMouseHook() {
    QCoreApplication::instance()->installEventFilter(this);
    report_key_repeats_as_presses();
}

ApplicationMouseHook::~ApplicationMouseHook() = default;

void ApplicationMouseHook::install(MouseHookClient& client, int hook_type) {
    if (hook_type == WH_MOUSE_HOOK && !installed(client)) {
        m_clients.push_back(&client);
    }
}

void ApplicationMouseHook::remove(MouseHookClient& client, int hook_type) {
    if (hook_type == WH_MOUSE_HOOK) {
        std::erase(m_clients, &client);
    }
}

bool ApplicationMouseHook::installed(const MouseHookClient& client) const {
    return std::find(m_clients.begin(), m_clients.end(), &client) != m_clients.end();
}

void ApplicationMouseHook::set_switch_sends(SwitchSends choice) {
    m_switch_sends = choice;
    m_keys.forget();
}

void ApplicationMouseHook::dispatch(std::int32_t message) {
    // A client may remove itself, or another, while it handles the message.
    // The copy lives on the stack: nothing is allocated before a client
    // reads the clock.
    const QVarLengthArray<MouseHookClient*, 8> clients(m_clients.begin(), m_clients.end());
    for (MouseHookClient* client : clients) {
        if (installed(*client)) {
            bool consume = false;
            client->HookProc(WH_MOUSE_HOOK, 0, message, 0, consume);
        }
    }
}

bool ApplicationMouseHook::eventFilter(QObject* watched, QEvent* event) {
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
        const std::int32_t message =
            m_keys.message(key->key(), key->modifiers(), key->isAutoRepeat(),
                           type == QEvent::KeyPress, m_switch_sends);
        if (message != 0 && !m_clients.empty()) {
            dispatch(message);
        }
        return false;
    }
    if (!m_clients.empty()) {
        const std::int32_t message = message_of(event);
        if (message != 0) {
            dispatch(message);
        }
    }
    return false;
}

} // namespace tavo
