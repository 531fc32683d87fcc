#pragma once
#include <cstdint>

// Milliseconds of a monotonic clock, as the platform's tick count.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t TickCount() = 0;
};

// The monotonic clock of the standard library.
class SteadyClock : public Clock {
public:
    std::uint32_t TickCount() override;
};
