#pragma once
// For tests that could deadlock: runs the body on a thread of its own and ends the test program
// with a failure when it has not finished in time, so a deadlock shows up as a failed test rather
// than as a hung test run.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

inline void RunWithWatchdog(const std::function<void()>& body,
                            std::chrono::seconds limit = std::chrono::seconds(60))
{
    std::promise<void> finished;
    std::future<void> done = finished.get_future();
    std::thread worker([&] {
        body();
        finished.set_value();
    });
    if (done.wait_for(limit) != std::future_status::ready) {
        std::fprintf(stderr, "watchdog: the test did not finish within %lld s (deadlock?)\n",
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    worker.join();
}
