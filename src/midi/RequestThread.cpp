#include "midi/RequestThread.h"

#include <condition_variable>
#include <deque>
#include <mutex>

struct RequestThread::Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> requests;
    std::uint64_t posted = 0;
    std::uint64_t done = 0;
    bool overdue = false; // a caller stopped waiting; cleared once all that was queued has run
    bool closing = false;
};

RequestThread::RequestThread(std::chrono::milliseconds bound)
    : m_queue(std::make_shared<Queue>()), m_bound(bound) {
    m_thread = std::thread([queue = m_queue] {
        std::unique_lock lock(queue->mutex);
        for (;;) {
            queue->changed.wait(lock, [&] { return !queue->requests.empty() || queue->closing; });
            if (queue->requests.empty()) {
                return;
            }
            std::function<void()> request = std::move(queue->requests.front());
            queue->requests.pop_front();
            lock.unlock();
            request();
            request = nullptr; // what it captured goes with it, outside the lock
            lock.lock();
            if (++queue->done == queue->posted) {
                queue->overdue = false;
            }
            queue->changed.notify_all();
        }
    });
}

RequestThread::~RequestThread() {
    std::unique_lock lock(m_queue->mutex);
    m_queue->closing = true;
    m_queue->changed.notify_all();
    const bool finished = !m_queue->overdue && m_queue->changed.wait_for(lock, m_bound, [&] {
        return m_queue->done == m_queue->posted;
    });
    lock.unlock();
    if (finished) {
        m_thread.join();
    } else {
        m_thread.detach(); // it holds the queue; whatever it runs owns what it uses
    }
}

std::uint64_t RequestThread::Enqueue(std::function<void()> request) {
    m_queue->requests.push_back(std::move(request));
    m_queue->changed.notify_all();
    return ++m_queue->posted;
}

bool RequestThread::Run(std::function<void()> request) {
    std::unique_lock lock(m_queue->mutex);
    const std::uint64_t ticket = Enqueue(std::move(request));
    if (m_queue->overdue) {
        return false;
    }
    if (m_queue->changed.wait_for(lock, m_bound, [&] { return m_queue->done >= ticket; })) {
        return true;
    }
    m_queue->overdue = true;
    return false;
}

void RequestThread::Post(std::function<void()> request) {
    std::lock_guard lock(m_queue->mutex);
    Enqueue(std::move(request));
}
