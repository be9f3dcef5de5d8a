// A window that exists at most once: created on first use, reused while it
// is open, and created afresh after it has been closed (closing deletes it).
#pragma once

#include <QPointer>
#include <QWidget>

namespace tavo {

template <class Window> class SingleWindow {
public:
    template <class Factory> Window& get_or_create(Factory&& make) {
        if (!m_window) {
            m_window = make();
            m_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        return *m_window;
    }

    Window* existing() const { return m_window.data(); }

private:
    QPointer<Window> m_window;
};

} // namespace tavo
