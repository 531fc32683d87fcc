// The request thread that stands between the user interface and a server that may not answer.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "midi/RequestThread.h"

namespace {

using namespace std::chrono_literals;

// Holds a request back the way a stopped server does, until Open.
class Gate {
public:
    void Wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_open; });
    }
    void Open() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
};

} // namespace

TEST(RequestThread, RunsRequestsInOrderAndReturnsOnceEachHasRun) {
    RequestThread requests(5000ms);
    std::vector<int> order; // touched by the requests only, read after Run returned
    requests.Post([&] { order.push_back(1); });
    EXPECT_TRUE(requests.Run([&] { order.push_back(2); }));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(RequestThread, ARequestThatDoesNotEndStopsTheWaitingButStillRunsAndSoDoLaterOnes) {
    auto gate = std::make_shared<Gate>();
    auto order = std::make_shared<std::vector<int>>();
    {
        RequestThread requests(100ms);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(requests.Run([gate, order] {
            gate->Wait();
            order->push_back(1);
        }));
        EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
        // While it is overdue, nobody waits for the next ones, which queue behind it.
        const auto second = std::chrono::steady_clock::now();
        EXPECT_FALSE(requests.Run([order] { order->push_back(2); }));
        EXPECT_LT(std::chrono::steady_clock::now() - second, 100ms);
        requests.Post([order] { order->push_back(3); });
        gate->Open();
        // Once everything queued has run, waiting works again.
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!requests.Run([] {}) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        EXPECT_TRUE(requests.Run([order] { order->push_back(4); }));
        EXPECT_EQ(*order, (std::vector<int>{1, 2, 3, 4}));
    }

    // Gone while a request hangs: the owner does not wait for it, and it ends later on its own.
    auto late = std::make_shared<Gate>();
    auto ended = std::make_shared<Gate>();
    const auto start = std::chrono::steady_clock::now();
    {
        RequestThread requests(100ms);
        EXPECT_FALSE(requests.Run([late, ended] {
            late->Wait();
            ended->Open();
        }));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
    late->Open();
    ended->Wait();
}
