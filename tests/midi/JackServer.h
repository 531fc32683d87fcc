#pragma once
// A private JACK server on the dummy driver. Synchronous, a late client on a loaded machine never
// reads a buffer the next cycle writes. Private servers of several programs at once trip libjack
// up, so a server waits for those of other test programs to end.

#include <functional>
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
};

// Waits up to `timeoutMs` for `done`, asking every `pauseMs`.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs, int pauseMs = 5);
// Waits up to `timeoutMs` for `command` (run through the shell) to succeed.
bool WaitFor(const std::string& command, int timeoutMs);
