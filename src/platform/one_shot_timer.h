// A timer that fires once per enabling. Enabling it (again) starts its full
// interval anew; the tick goes to the callback its owner set.
#pragma once

#include <functional>

class QTimer;
class QObject;

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

// The real timer: a precise single-shot QTimer.
class PreciseOneShotTimer final : public OneShotTimer {
public:
    explicit PreciseOneShotTimer(QObject* owner);
    void set_interval(int milliseconds) override;
    int interval() const override;
    void set_enabled(bool enabled) override;
    bool enabled() const override;
    void set_callback(std::function<void()> on_tick) override;

private:
    QTimer* m_timer;
    std::function<void()> m_on_tick;
};

} // namespace tavo
