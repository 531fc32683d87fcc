// The request thread that stands between the user interface and a server that may not answer.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "midi/RequestThread.h"

using namespace std::chrono_literals;

TEST(RequestThread, ARequestThatDoesNotEndStopsTheWaitingButStillRunsAndSoDoLaterOnes) {
    // Holds a request back the way a stopped server does, until set.
    std::promise<void> gate;
    const std::shared_future<void> opened = gate.get_future().share();
    auto order = std::make_shared<std::vector<int>>(); // read once the requests ran
    {
        RequestThread requests(100ms);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(requests.Run([opened, order] {
            opened.wait();
            order->push_back(1);
        }));
        EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
        // While it is overdue, nobody waits for the next ones, which queue behind it.
        const auto second = std::chrono::steady_clock::now();
        EXPECT_FALSE(requests.Run([order] { order->push_back(2); }));
        EXPECT_LT(std::chrono::steady_clock::now() - second, 100ms);
        requests.Post([order] { order->push_back(3); });
        gate.set_value();
        // Once everything queued has run, waiting works again.
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!requests.Run([] {}) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        EXPECT_TRUE(requests.Run([order] { order->push_back(4); }));
        EXPECT_EQ(*order, (std::vector<int>{1, 2, 3, 4}));
    }

    // Gone while a request hangs: the owner does not wait for it, and it ends later on its own.
    std::promise<void> late;
    auto ended = std::make_shared<std::promise<void>>(); // the request's own, as it may outlive us
    std::future<void> finished = ended->get_future();
    const auto start = std::chrono::steady_clock::now();
    {
        RequestThread requests(100ms);
        EXPECT_FALSE(requests.Run([go = late.get_future().share(), ended] {
            go.wait();
            ended->set_value();
        }));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
    late.set_value();
    finished.wait();
}
