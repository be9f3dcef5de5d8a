// A timer that fires once per enabling. Enabling it (again) starts its full
// interval anew; the tick goes to the callback its owner set.
#pragma once

#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class QObject;
class QString;

namespace tavo {

class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    virtual void set_interval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void set_enabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void set_callback(std::function<void()> on_tick) = 0;
};

// Makes the timers a window owns; tests make fakes they can fire.
// The name is the timer's objectName, so tools and tests can find it.
using TimerFactory =
    std::function<std::unique_ptr<OneShotTimer>(QObject* owner, const QString& name)>;

// The real timer: a precise single-shot QTimer, a child of its owner so
// tools find it by name. It goes with this object, or with its owner.
class PreciseOneShotTimer final : public OneShotTimer {
public:
    PreciseOneShotTimer(QObject* owner, const QString& name);
    ~PreciseOneShotTimer() override;
    PreciseOneShotTimer(const PreciseOneShotTimer&) = delete;
    PreciseOneShotTimer& operator=(const PreciseOneShotTimer&) = delete;
    void set_interval(int milliseconds) override;
    int interval() const override;
    void set_enabled(bool enabled) override;
    bool enabled() const override;
    void set_callback(std::function<void()> on_tick) override;

private:
    QPointer<QTimer> m_timer;
    std::function<void()> m_on_tick;
};

TimerFactory precise_timer_factory();

} // namespace tavo
