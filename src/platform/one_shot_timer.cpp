#include "one_shot_timer.h"

#include <QTimer>

namespace tavo {

PreciseOneShotTimer::PreciseOneShotTimer(QObject* owner, const QString& name)
    : m_timer(new QTimer(owner)) {
    m_timer->setObjectName(name);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] {
        if (m_on_tick) {
            m_on_tick();
        }
    });
}

PreciseOneShotTimer::~PreciseOneShotTimer() {
    // Its tick calls back into this object.
    delete m_timer.data();
}

void PreciseOneShotTimer::set_interval(int milliseconds) {
    m_timer->setInterval(milliseconds);
}

int PreciseOneShotTimer::interval() const {
    return m_timer->interval();
}

void PreciseOneShotTimer::set_enabled(bool enabled) {
    if (enabled) {
        m_timer->start();
    } else {
        m_timer->stop();
    }
}

bool PreciseOneShotTimer::enabled() const {
    return m_timer->isActive();
}

void PreciseOneShotTimer::set_callback(std::function<void()> on_tick) {
    m_on_tick = std::move(on_tick);
}

TimerFactory precise_timer_factory() {
    return [](QObject* owner, const QString& name) {
        return std::make_unique<PreciseOneShotTimer>(owner, name);
    };
}

} // namespace tavo
