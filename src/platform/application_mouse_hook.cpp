#include "application_mouse_hook.h"

#include <QCoreApplication>
#include <QMouseEvent>
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

void ApplicationMouseHook::dispatch(std::int32_t message) {
    // A client may remove itself, or another, while it handles the message.
    const std::vector<MouseHookClient*> clients = m_clients;
    for (MouseHookClient* client : clients) {
        if (installed(*client)) {
            bool consume = false;
            client->HookProc(WH_MOUSE_HOOK, 0, message, 0, consume);
        }
    }
}

bool ApplicationMouseHook::eventFilter(QObject* watched, QEvent* event) {
    // Mouse events reach the window first and are then passed to widgets
    // (and on to their parents): looking at the window level alone sees
    // each event once.
    if (!m_clients.empty() && watched->isWindowType()) {
        const std::int32_t message = message_of(event);
        if (message != 0) {
            dispatch(message);
        }
    }
    return false;
}

} // namespace tavo
