#include "net/core/ownerqueue.h"

#include <algorithm>

std::shared_ptr<OwnerQueue> OwnerQueue::forCurrentThread() {
    thread_local std::shared_ptr<OwnerQueue> queue = std::make_shared<OwnerQueue>();
    return queue;
}

bool OwnerQueue::handOver(Link& link, const std::function<void()>& call) {
    Item item{&link, &call};
    std::unique_lock lock(m_mutex);
    if (link.detached)
        return false;
    m_items.push_back(&item);
    m_wake.notify_all();
    // A call already running is waited for even when the link is detached meanwhile: the owner
    // still writes to the item when it returns.
    link.answered.wait(lock, [&] {
        return item.state == Item::State::Done || (link.detached && item.state == Item::State::Queued);
    });
    if (item.state == Item::State::Queued) {
        m_items.erase(std::remove(m_items.begin(), m_items.end(), &item), m_items.end());
        return false;
    }
    return true;
}

void OwnerQueue::finish(Link& link) {
    std::lock_guard lock(m_mutex);
    link.finished = true;
    m_wake.notify_all();
}

void OwnerQueue::waitAndRun(const Link& link, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_mutex);
    m_wake.wait_until(lock, deadline, [&] { return !m_items.empty() || link.finished || link.detached; });
    while (!m_items.empty()) {
        Item* item = m_items.front();
        m_items.pop_front();
        Link* owner = item->link;
        if (owner->detached) {
            owner->answered.notify_all();
            continue;
        }
        item->state = Item::State::Running;
        ++owner->callsRunning;
        lock.unlock();
        try {
            (*item->call)();
        } catch (...) {
            // Calls catch what their handlers throw; nothing may cross into the queue.
        }
        lock.lock();
        --owner->callsRunning;
        item->state = Item::State::Done;
        owner->answered.notify_all();
    }
}

bool OwnerQueue::finished(const Link& link) {
    std::lock_guard lock(m_mutex);
    return link.finished;
}

bool OwnerQueue::detached(const Link& link) {
    std::lock_guard lock(m_mutex);
    return link.detached;
}

void OwnerQueue::detach(Link& link) {
    std::lock_guard lock(m_mutex);
    link.detached = true;
    link.answered.notify_all();
    m_wake.notify_all();
}
