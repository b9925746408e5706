#pragma once

#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

// Ctrl-C (SIGINT) for a command that runs a long job: instead of ending the program at once, the
// first one calls onInterrupt on the thread that processes Qt events, at its next dispatch, so
// the job stops the way the window's Cancel button stops it. A second Ctrl-C ends the program
// as usual. One at a time; the previous handling comes back when it goes.
class InterruptNotifier {
public:
    explicit InterruptNotifier(std::function<void()> onInterrupt);
    ~InterruptNotifier();
    InterruptNotifier(const InterruptNotifier&) = delete;
    InterruptNotifier& operator=(const InterruptNotifier&) = delete;

    bool interrupted() const { return m_interrupted; }

private:
    void receive();

    std::function<void()> m_onInterrupt;
    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous {};
    bool m_interrupted = false;
};
