#pragma once
// Runs requests that may wait on another process without bound on a thread of their own, one
// after another in the order given, while the caller waits for each at most a bounded time. A
// stopped (suspended) JACK server answers nothing, and libjack then waits for it forever: the
// user-interface thread must never be the one waiting.
//
// A request that outlives its caller's wait still runs when its turn comes, so it must own or
// share everything it uses. A later request can undo an earlier one: they run in order.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class RequestThread {
public:
    explicit RequestThread(std::chrono::milliseconds bound);
    // Waits the bound for the queued requests (not at all while one is overdue); a thread still
    // busy after that is left to end on its own.
    ~RequestThread();
    RequestThread(const RequestThread&) = delete;
    RequestThread& operator=(const RequestThread&) = delete;

    // Queues `request` and waits for it: false when it did not end within the bound, or at once
    // while an earlier request is overdue. It runs in its turn either way.
    bool Run(std::function<void()> request);
    // Queues `request` without waiting for it.
    void Post(std::function<void()> request);

private:
    struct Queue; // shared with the thread, which may outlive this object
    std::uint64_t Enqueue(std::function<void()> request);

    std::shared_ptr<Queue> m_queue;
    std::chrono::milliseconds m_bound;
    std::thread m_thread;
};
