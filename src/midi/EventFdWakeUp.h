#pragma once
// Wakes the user-interface thread through an eventfd, which its event loop watches: one write
// from the input's thread, no lock, no allocation, and never a block (the descriptor does not
// block and its counter cannot fill up at one write per burst).

#include "midi/MidiInputQueue.h"

class EventFdWakeUp : public MidiWakeUp {
public:
    EventFdWakeUp();
    ~EventFdWakeUp() override;
    EventFdWakeUp(const EventFdWakeUp&) = delete;
    EventFdWakeUp& operator=(const EventFdWakeUp&) = delete;

    // The descriptor to watch for reading; -1 when the platform refused one.
    int Descriptor() const { return m_fd; }
    void Wake() noexcept override;
    // User-interface thread: takes the wake-ups that arrived, so the descriptor is quiet again.
    void Acknowledge();

private:
    int m_fd = -1;
};
