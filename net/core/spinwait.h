#pragma once

#include <atomic>
#include <chrono>
#include <thread>

// Waits up to limit for a condition another thread is about to make true, before the caller
// falls back to blocking: handing a short request or an event between two threads then costs a
// microsecond or so instead of a sleeping thread's wake-up. The spinning thread yields often, so
// on a machine with few cores the thread it waits for still gets to run.
template <typename Condition>
bool spinUntil(Condition&& condition, std::chrono::microseconds limit) {
    if (condition())
        return true;
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    for (;;) {
        for (int i = 0; i < 32; ++i) {
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
            if (condition())
                return true;
        }
        if (std::chrono::steady_clock::now() >= giveUp)
            return false;
        // Lets the thread we wait for have this core when the machine has few.
        std::this_thread::yield();
        if (condition())
            return true;
    }
}
