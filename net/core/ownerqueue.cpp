#include "net/core/ownerqueue.h"

#include <algorithm>

#include "net/core/spinwait.h"

std::shared_ptr<OwnerQueue> OwnerQueue::forCurrentThread() {
    thread_local std::shared_ptr<OwnerQueue> queue = std::make_shared<OwnerQueue>();
    return queue;
}

bool OwnerQueue::handOver(Link& link, const std::function<void()>& call) {
    Item item{&link, &call};
    {
        std::lock_guard lock(m_mutex);
        if (link.detached)
            return false;
        m_items.push_back(&item);
        m_queued.store(m_items.size(), std::memory_order_release);
    }
    m_wake.notify_all();
    spinUntil([&] { return item.state.load(std::memory_order_acquire) == Item::State::Done; },
              std::chrono::microseconds(50));
    std::unique_lock lock(m_mutex);
    // A call already running is waited for even when the link is detached meanwhile: the owner
    // still writes to the item when it returns.
    link.answered.wait(lock, [&] {
        Item::State state = item.state.load();
        return state == Item::State::Done || (link.detached && state == Item::State::Queued);
    });
    if (item.state == Item::State::Queued) {
        m_items.erase(std::remove(m_items.begin(), m_items.end(), &item), m_items.end());
        m_queued.store(m_items.size(), std::memory_order_release);
        return false;
    }
    return true;
}

void OwnerQueue::finish(Link& link) {
    {
        std::lock_guard lock(m_mutex);
        link.finished.store(true, std::memory_order_release);
    }
    m_wake.notify_all();
}

bool OwnerQueue::waitAndRun(const Link& link, std::chrono::steady_clock::time_point deadline,
                            std::chrono::microseconds spin) {
    auto ready = [&] {
        return m_queued.load(std::memory_order_acquire) > 0 ||
               link.finished.load(std::memory_order_acquire) || link.detached.load(std::memory_order_acquire);
    };
    spinUntil(ready, spin);
    std::unique_lock lock(m_mutex);
    m_wake.wait_until(lock, deadline, ready);
    bool ran = false;
    while (!m_items.empty()) {
        Item* item = m_items.front();
        m_items.pop_front();
        m_queued.store(m_items.size(), std::memory_order_release);
        Link* owner = item->link;
        if (owner->detached) {
            owner->answered.notify_all();
            continue;
        }
        item->state = Item::State::Running;
        ++owner->callsRunning;
        ran = true;
        lock.unlock();
        try {
            (*item->call)();
        } catch (...) {
            // Calls catch what their handlers throw; nothing may cross into the queue.
        }
        lock.lock();
        --owner->callsRunning;
        item->state.store(Item::State::Done, std::memory_order_release);
        owner->answered.notify_all();
    }
    return ran;
}

void OwnerQueue::detach(Link& link) {
    {
        std::lock_guard lock(m_mutex);
        link.detached = true;
        link.answered.notify_all();
    }
    m_wake.notify_all();
}
