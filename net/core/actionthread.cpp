#include "net/core/actionthread.h"

#include "net/core/spinwait.h"

ActionThread::ActionThread() : m_state(std::make_shared<State>()) {
    m_thread = std::thread([state = m_state] {
        for (;;) {
            // Callers often start the next action right after the last one ended.
            spinUntil([&] { return state->hasJob.load(std::memory_order_acquire); },
                      std::chrono::microseconds(50));
            std::function<void()> job;
            {
                std::unique_lock lock(state->mutex);
                state->wake.wait(lock, [&] { return state->hasJob.load() || state->quit; });
                if (!state->hasJob)
                    return;
                job = std::move(state->job);
                state->job = nullptr;
                state->hasJob = false;
            }
            job();
        }
    });
}

ActionThread::~ActionThread() {
    {
        std::lock_guard lock(m_state->mutex);
        m_state->quit = true;
    }
    m_state->wake.notify_all();
    if (m_abandoned) {
        m_thread.detach();
    } else {
        m_thread.join();
    }
}

void ActionThread::start(std::function<void()> job) {
    {
        std::lock_guard lock(m_state->mutex);
        m_state->job = std::move(job);
        m_state->hasJob.store(true, std::memory_order_release);
    }
    m_state->wake.notify_one();
}
