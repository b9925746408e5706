#pragma once

#include <functional>
#include <vector>

// The long runs keep their window alive by letting it process pending events at fixed points and
// pause between requests. Tests replace both with a recorder that returns at once.
class Pacer {
public:
    virtual ~Pacer() = default;
    virtual void processEvents() = 0;
    virtual void sleep(int milliseconds) = 0;
};

// Processes the window's events; a pause keeps processing them until it is over, so a Cancel
// click during the pause is handled.
class QtPacer : public Pacer {
public:
    void processEvents() override;
    void sleep(int milliseconds) override;
};

class FakePacer : public Pacer {
public:
    void processEvents() override {
        ++processEventsCalls;
        if (onProcessEvents)
            onProcessEvents();
    }
    void sleep(int milliseconds) override {
        sleeps.push_back(milliseconds);
        if (onSleep)
            onSleep(milliseconds);
    }

    int processEventsCalls = 0;
    std::vector<int> sleeps;
    // Lets a test act at the moment the run pauses (press Cancel, for example).
    std::function<void()> onProcessEvents;
    std::function<void(int)> onSleep;
};
