#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// The worker thread of one component instance: it runs the instance's actions one after the
// other and waits, parked, in between, so an action costs no thread start.
class ActionThread {
public:
    ActionThread();
    // Lets the thread end after the job it runs and waits for that, unless abandoned.
    ~ActionThread();
    ActionThread(const ActionThread&) = delete;
    ActionThread& operator=(const ActionThread&) = delete;

    // The job before must have ended.
    void start(std::function<void()> job);
    // The job now running may never end; the destructor leaves the thread to finish on its own.
    void abandon() { m_abandoned = true; }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        std::function<void()> job;
        std::atomic<bool> hasJob{false};
        bool quit = false;
    };

    std::shared_ptr<State> m_state;
    std::thread m_thread;
    bool m_abandoned = false;
};
