#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// The queue through which worker threads run calls on the thread that owns their components,
// and wait for each call to return. One queue per owner thread, shared by all its components, so
// any waiting loop on that thread (also one nested in a handler) serves every worker.
class OwnerQueue {
public:
    // One worker's connection to its owner for one action.
    struct Link {
        std::atomic<bool> finished{false};
        std::atomic<bool> detached{false};  // no more calls are taken
        int callsRunning = 0;               // owner thread only: calls of this link on the owner's stack
        std::condition_variable answered;
    };

    static std::shared_ptr<OwnerQueue> forCurrentThread();

    std::shared_ptr<Link> openLink() { return std::make_shared<Link>(); }

    // Worker: runs call on the owner thread and returns when it has returned; false, without
    // running it, once the link is detached. call must not throw.
    bool handOver(Link& link, const std::function<void()>& call);
    // Worker: the last thing it does for the action.
    void finish(Link& link);

    // Owner: waits until deadline for a call of any link or for link to finish or be detached,
    // and runs every call that has arrived; true when it ran any. It spins for up to spin before
    // it blocks.
    bool waitAndRun(const Link& link, std::chrono::steady_clock::time_point deadline,
                    std::chrono::microseconds spin = std::chrono::microseconds(20));
    bool finished(const Link& link) const { return link.finished.load(std::memory_order_acquire); }
    bool detached(const Link& link) const { return link.detached.load(std::memory_order_acquire); }
    // Owner: refuses the link's further calls and answers the ones waiting.
    void detach(Link& link);

private:
    struct Item {
        enum class State { Queued, Running, Done };
        Link* link;
        const std::function<void()>* call;
        std::atomic<State> state{State::Queued};
    };

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Item*> m_items;
    std::atomic<size_t> m_queued{0};
};
