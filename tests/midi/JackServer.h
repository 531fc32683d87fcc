#pragma once
// A private JACK server on the dummy driver at `rate` Hz with `period` frames per cycle, started by
// a test and stopped by its own process id. Synchronous, a cycle starts only when every client has
// ended the last one: on a loaded machine without real-time scheduling, the default mode lets a
// late client read a buffer that the next cycle is already writing, which a measurement of frame
// offsets must not see.
// Private servers of several test programs at once trip libjack up (a client that cannot be
// opened, and Csound's JACK module failing after it): a server waits for those of other test
// programs to stop before it starts.

#include <string>
#include <sys/types.h>

class JackServer {
public:
    explicit JackServer(int rate = 48000, int period = 256, bool synchronous = false);
    ~JackServer() { Stop(); }
    // True once the server answers; false when jackd is missing or did not come up.
    bool Start();
    const std::string& Name() const { return m_name; }
    pid_t Pid() const { return m_pid; }
    // Stops the server now, as a crash or a user would; the destructor then has nothing to do.
    void Stop();

private:
    std::string m_name;
    int m_rate;
    int m_period;
    bool m_synchronous;
    pid_t m_pid = -1;
    bool m_holdsLock = false;
};

// Waits up to `timeoutMs` for `command` (run through the shell) to succeed.
bool WaitFor(const std::string& command, int timeoutMs);
