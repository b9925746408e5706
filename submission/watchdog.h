#pragma once

#include <functional>

#include <QTimer>

// The timer that abandons a submission request whose engine stops sending: the run arms it when
// a response's head has arrived and disarms it when the transfer is over; its tick sets the HTTP
// component idle. An interface so that tests choose the moment it fires instead of waiting.
class Watchdog {
public:
    virtual ~Watchdog() = default;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    // Enabling an enabled timer leaves it running from where it was.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;

    std::function<void()> onTimer;
};

inline constexpr int kDefaultWatchdogInterval = 60000;

// A timer of the window's thread; it ticks while a request's waiting loop dispatches events.
// An interval of 0 or less (the settings window offers a timeout of 0 seconds) never ticks, as
// the platform's timer never did: it would abandon every response the moment its head arrived.
class QtWatchdog : public Watchdog {
public:
    QtWatchdog();

    void setInterval(int milliseconds) override;
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return m_enabled; }

private:
    QTimer m_timer;
    int m_interval = kDefaultWatchdogInterval;
    bool m_enabled = false;
};

// For tests: never ticks by itself; fire() ticks it when it is enabled, as the timer would.
class ManualWatchdog : public Watchdog {
public:
    void setInterval(int milliseconds) override { m_interval = milliseconds; }
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override {
        bool arming = enabled && !m_enabled;
        m_enabled = enabled;
        if (arming) {
            ++arms;
            if (onArmed)
                onArmed();
        }
    }
    bool enabled() const override { return m_enabled; }

    void fire() {
        if (m_enabled && onTimer)
            onTimer();
    }

    int arms = 0;
    // Lets a test act at the moment the timer is armed (schedule fire(), for example).
    std::function<void()> onArmed;

private:
    int m_interval = kDefaultWatchdogInterval;
    bool m_enabled = false;
};
