#include "midi/EventFdWakeUp.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

EventFdWakeUp::EventFdWakeUp() : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

EventFdWakeUp::~EventFdWakeUp() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void EventFdWakeUp::Wake() noexcept {
    const std::uint64_t one = 1;
    // A refused write leaves the counter non-zero already: the UI is woken either way.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

void EventFdWakeUp::Acknowledge() {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_fd, &count, sizeof count);
}
