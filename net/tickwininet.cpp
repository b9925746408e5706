#include "net/tickwininet.h"

#include "net/core/ownerqueue.h"
#include "net/core/wininetcodes.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <exception>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

// How often the waiting loop dispatches the thread's Qt events while the worker runs.
constexpr auto kDispatchEvery = std::chrono::milliseconds(5);
constexpr auto kCycle = std::chrono::milliseconds(10);
// How long after its start or its last event an action is waited for awake, and how long each
// such wait spins.
constexpr auto kEagerWait = std::chrono::milliseconds(2);
constexpr auto kEagerSpin = std::chrono::microseconds(300);
// An interrupted worker that has not ended after this many cycles is given up.
constexpr int kInterruptCycles = 1000;

std::atomic<int> g_quitEvents{0};

// Notices the application's quit while a waiting loop dispatches events.
class QuitWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Quit && watched == QCoreApplication::instance())
            ++g_quitEvents;
        return false;
    }
};

void watchForQuit() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    static QPointer<QuitWatcher> watcher;
    if (watcher && watcher->parent() == app)
        return;
    watcher = new QuitWatcher(app);
    app->installEventFilter(watcher);
}

}  // namespace

struct TickWinInet::SharedText {
    mutable std::mutex mutex;
    std::string text;
    std::string get() const {
        std::lock_guard lock(mutex);
        return text;
    }
    void set(const std::string& value) {
        std::lock_guard lock(mutex);
        text = value;
    }
};

struct TickWinInet::Action {
    std::shared_ptr<OwnerQueue> queue;
    std::shared_ptr<OwnerQueue::Link> link;
    std::atomic<bool> stop{false};
    TransferResult result;  // the worker's, readable once the link has finished
    bool gaveUp = false;
    std::exception_ptr handlerError;
    std::unique_ptr<TransferEvents> events;
};

// Hands the transfer's events from the worker to the owner thread. Only events with a handler
// bound when the action started make the trip.
class TickWinInet::Forwarder : public TransferEvents {
public:
    Forwarder(TickWinInet* owner, Action& action)
        : m_owner(owner),
          m_action(action),
          m_statusLine(owner->m_statusLine),
          m_status(static_cast<bool>(owner->OnStatus)),
          m_head(owner->hasHeaderHandler() || owner->OnStartTransfer),
          m_transfer(static_cast<bool>(owner->OnTransfer)),
          m_end(static_cast<bool>(owner->OnEndTransfer)) {}

    void status(const StatusNotices& notices) override {
        if (!m_status)
            return;
        run([&] {
            for (const auto& [code, info] : notices) {
                std::optional<std::string> description = statusDescription(code, info);
                if (!description || m_owner->m_destroying || !m_owner->OnStatus)
                    continue;
                m_owner->callHandler([&] { m_owner->OnStatus(m_owner, code, *description); });
            }
        });
    }

    void response(const ResponseHead& head) override {
        m_statusLine->set(head.statusLine);
        if (!m_head)
            return;
        run([&] {
            m_owner->raiseHeaderEvents(head);
            if (m_owner->OnStartTransfer)
                m_owner->callHandler([&] { m_owner->OnStartTransfer(m_owner); });
        });
    }

    void block(long long total, std::string_view data) override {
        if (!m_transfer)
            return;
        run([&] {
            if (!m_owner->OnTransfer)
                return;
            int bytes = total > INT_MAX ? INT_MAX : static_cast<int>(total);
            std::string text(data);
            m_owner->callHandler([&] { m_owner->OnTransfer(m_owner, bytes, text); });
        });
    }

    void endTransfer() override {
        if (!m_end)
            return;
        run([&] {
            if (m_owner->OnEndTransfer)
                m_owner->callHandler([&] { m_owner->OnEndTransfer(m_owner); });
        });
    }

private:
    void run(const std::function<void()>& call) { m_action.queue->handOver(*m_action.link, call); }

    TickWinInet* m_owner;  // used on the owner thread only
    Action& m_action;
    std::shared_ptr<SharedText> m_statusLine;
    bool m_status, m_head, m_transfer, m_end;
};

TickWinInet::TickWinInet()
    : m_statusLine(std::make_shared<SharedText>()), m_session(std::make_shared<CurlSession>()) {}

TickWinInet::~TickWinInet() {
    m_destroying = true;
    if (!m_action)
        return;
    m_action->stop = true;
    m_session->wake();
    m_action->queue->detach(*m_action->link);
    // A worker given up on holds its own references to what it uses; waiting for it could hang.
    if (m_thread && m_action->gaveUp && !m_action->queue->finished(*m_action->link))
        m_thread->abandon();
    m_thread.reset();
}

std::string TickWinInet::WinInetVersion() const {
    return CurlSession::libraryVersion();
}

bool TickWinInet::running() const {
    return m_action && !m_action->queue->finished(*m_action->link);
}

std::string TickWinInet::statusLine() const {
    return m_statusLine->get();
}

void TickWinInet::clearStatusLine() {
    m_statusLine->set(std::string());
}

std::string TickWinInet::effectiveCABundle() const {
    if (!m_caBundle.empty())
        return m_caBundle;
    const char* fromEnvironment = std::getenv("SSL_CERT_FILE");
    return fromEnvironment ? fromEnvironment : "";
}

void TickWinInet::callHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        if (m_action && !m_action->handlerError)
            m_action->handlerError = std::current_exception();
    }
}

TransferResult TickWinInet::runRequest(TransferRequest request, int timeoutSeconds) {
    if (!m_thread)
        m_thread = std::make_unique<ActionThread>();
    auto action = std::make_shared<Action>();
    action->queue = OwnerQueue::forCurrentThread();
    action->link = action->queue->openLink();
    action->events = std::make_unique<Forwarder>(this, *action);
    m_action = action;
    clearStatusLine();

    m_thread->start([session = m_session, action, request = std::move(request)] {
        action->result = session->perform(request, *action->events, action->stop);
        action->queue->finish(*action->link);
    });

    TransferResult result;
    switch (waitFor(*action, timeoutSeconds > 0 ? timeoutSeconds * 1000 : 0, 0)) {
        case WaitEnd::Finished:
            result = action->result;
            break;
        case WaitEnd::TimedOut:
            interrupt();
            result = {ickcodes::Timeout, componentErrorDescription(ickcodes::Timeout)};
            break;
        case WaitEnd::Detached:
            if (action->gaveUp)
                result = {ickcodes::Timeout, componentErrorDescription(ickcodes::Timeout)};
            break;
        case WaitEnd::Quit:
        case WaitEnd::GaveUp:
            // The application is quitting: stop the transfer and return at once.
            action->stop = true;
            m_session->wake();
            action->queue->detach(*action->link);
            break;
    }
    if (action->handlerError)
        std::rethrow_exception(action->handlerError);
    return result;
}

void TickWinInet::interrupt() {
    std::shared_ptr<Action> action = m_action;
    if (!action || !running())
        return;
    action->stop = true;
    m_session->wake();
    // The worker waits for the handler we were called from; it ends once that has returned.
    if (action->link->callsRunning > 0)
        return;
    WaitEnd end = waitFor(*action, 0, kInterruptCycles);
    if (end == WaitEnd::GaveUp || end == WaitEnd::Quit) {
        action->gaveUp = end == WaitEnd::GaveUp;
        action->queue->detach(*action->link);
    }
}

void TickWinInet::closeHandles() {
    if (running())
        return;
    m_session->closeConnections();
}

TickWinInet::WaitEnd TickWinInet::waitFor(Action& action, int timeoutMs, int maxCycles) {
    const Clock::time_point start = Clock::now();
    Clock::time_point lastDispatch = start;
    Clock::time_point lastActivity = start;
    watchForQuit();
    for (;;) {
        // A request to a nearby server often ends, and a transfer under way hands over its next
        // block, within a few hundred microseconds; waiting for that awake saves a sleeping
        // thread's wake-up, which costs more than the request or the block itself.
        const auto spin =
            Clock::now() - lastActivity < kEagerWait ? kEagerSpin : std::chrono::microseconds(20);
        if (action.queue->waitAndRun(*action.link, lastDispatch + kDispatchEvery, spin))
            lastActivity = Clock::now();
        if (action.queue->finished(*action.link))
            return WaitEnd::Finished;
        if (action.queue->detached(*action.link))
            return WaitEnd::Detached;
        Clock::time_point now = Clock::now();
        if (timeoutMs > 0 && now - start > std::chrono::milliseconds(timeoutMs))
            return WaitEnd::TimedOut;
        if (maxCycles > 0 && now - start >= maxCycles * kCycle)
            return WaitEnd::GaveUp;
        if (now - lastDispatch >= kDispatchEvery) {
            int quitsBefore = g_quitEvents;
            QCoreApplication::processEvents();
            lastDispatch = Clock::now();
            if (g_quitEvents != quitsBefore)
                return WaitEnd::Quit;
        }
    }
}
