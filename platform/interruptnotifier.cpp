#include "platform/interruptnotifier.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

// The handler may only do what is safe in a signal handler: write one byte to the pipe.
volatile std::sig_atomic_t g_writeEnd = -1;

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (g_writeEnd >= 0) [[maybe_unused]]
        ssize_t written = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

InterruptNotifier::InterruptNotifier(std::function<void()> onInterrupt)
    : m_onInterrupt(std::move(onInterrupt)) {
    if (g_writeEnd >= 0)
        throw std::logic_error("only one InterruptNotifier at a time");
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot watch for Ctrl-C: " + std::string(std::strerror(errno)));
    g_writeEnd = m_pipe[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { receive(); });

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // The first Ctrl-C asks the job to stop; the handling it restores lets the next one end it.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(SIGINT, &action, &m_previous);
}

InterruptNotifier::~InterruptNotifier() {
    ::sigaction(SIGINT, &m_previous, nullptr);
    g_writeEnd = -1;
    m_notifier.reset();
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void InterruptNotifier::receive() {
    char bytes[16];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_interrupted)
        return;
    m_interrupted = true;
    if (m_onInterrupt)
        m_onInterrupt();
}
