// ventaro-tool midi monitor --in N|NAME [--out N|NAME] [--count K] [--show-active-sensing]:
// prints each message of the input as the MIDIScope lists it, passing it through to the output
// when one is given, until K lines or SIGINT.

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>

#include "Commands.h"
#include "ToolArgs.h"
#include "midi/EventFdWakeUp.h"
#include "midi/MidiDevices.h"
#include "midi/MidiInputQueue.h"
#include "midi/PlatformMidiService.h"
#include "resources/Strings.h"
#include "tools/MidiScope.h"

namespace {

// The device's number, or the number of the device of that name; -1 when there is none.
int DeviceIndex(const std::string& device, int count, std::string (MidiService::*name)(int),
                MidiService& service) {
    if (const auto number = ParseInteger(device, 0, INT32_MAX)) {
        return static_cast<int>(*number);
    }
    for (int i = 0; i < count; ++i) {
        if ((service.*name)(i) == device) {
            return i;
        }
    }
    return -1;
}

// SIGINT and SIGTERM arrive as a descriptor the loop watches, so that the input is closed
// cleanly and the lines printed so far are flushed.
int StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) {
        return -1;
    }
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

class Monitor {
public:
    Monitor(MidiService& service, bool filter, long count)
        : m_service(service), m_filter(filter), m_left(count) {}

    bool OpenInput(const std::string& device) {
        const int index =
            DeviceIndex(device, m_service.InputCount(), &MidiService::InputName, m_service);
        const MidiResult result =
            index < 0 ? kMidiErrorBadDevice : m_service.OpenInput(index, &m_queue);
        if (result != kMidiOk) {
            std::fprintf(stderr, "%s%s\n", Str(kStrMidiInputError).c_str(),
                         index < 0 ? ("The device \"" + device + "\" is not connected.").c_str()
                                   : m_service.ErrorText(result).c_str());
            return false;
        }
        m_queue.SetWakeUp(&m_wakeUp);
        return m_service.StartInput() == kMidiOk;
    }

    bool OpenThru(const std::string& device) {
        const int index =
            DeviceIndex(device, m_service.OutputCount(), &MidiService::OutputName, m_service);
        const MidiResult result = index < 0 ? kMidiErrorBadDevice : m_service.OpenOutput(index);
        if (result != kMidiOk) {
            std::fprintf(stderr, "%s%s\n", Str(kStrMidiOutputError).c_str(),
                         index < 0 ? ("The device \"" + device + "\" is not connected.").c_str()
                                   : m_service.ErrorText(result).c_str());
            return false;
        }
        return m_service.Connect() == kMidiOk;
    }

    // Prints until the count is reached or a stop signal comes.
    void Run(int stopFd) {
        pollfd watched[2] = {{m_wakeUp.Descriptor(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        while (m_left != 0) {
            if (poll(watched, stopFd >= 0 ? 2 : 1, 500) < 0 && errno != EINTR) {
                break;
            }
            if (stopFd >= 0 && (watched[1].revents & POLLIN)) {
                break;
            }
            m_wakeUp.Acknowledge();
            Print(m_queue.Drain());
            if (m_service.InputLost()) {
                std::fprintf(stderr, "ventaro-tool: the input went away\n");
                break;
            }
        }
        m_queue.SetWakeUp(nullptr);
        m_service.CloseInput();
        m_service.CloseOutput();
    }

private:
    void Print(const std::vector<MidiInputEvent>& events) {
        for (const MidiInputEvent& event : events) {
            if (m_left == 0) {
                break;
            }
            if (!event.bytes.empty()) {
                continue; // the scope lists short messages only
            }
            if (const auto line = DecodeScopeLine(event.word, event.timeMs, m_filter)) {
                std::printf("%s\n", line->text.c_str());
                if (m_left > 0) {
                    --m_left;
                }
            }
        }
        std::fflush(stdout);
    }

    MidiService& m_service;
    MidiInputQueue m_queue;
    EventFdWakeUp m_wakeUp;
    bool m_filter;
    long m_left; // -1: no limit
};

} // namespace

int RunMidiMonitor(const Args& args) {
    std::map<std::string, std::string> options;
    bool showActiveSensing = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--show-active-sensing" && !showActiveSensing) {
            showActiveSensing = true;
        } else if ((args[i] == "--in" || args[i] == "--out" || args[i] == "--count") &&
                   i + 1 < args.size() && !options.count(args[i]) && !args[i + 1].empty()) {
            options[args[i]] = args[i + 1];
            ++i;
        } else {
            return Usage();
        }
    }
    const auto count =
        options.count("--count") ? ParseInteger(options["--count"], 1, INT32_MAX) : -1;
    if (!options.count("--in") || !count) {
        return Usage();
    }
    const int stopFd = StopSignals();
    std::unique_ptr<MidiService> service = CreatePlatformMidiService();
    Monitor monitor(*service, !showActiveSensing, static_cast<long>(*count));
    if (!monitor.OpenInput(options["--in"]) ||
        (options.count("--out") && !monitor.OpenThru(options["--out"]))) {
        return 1;
    }
    monitor.Run(stopFd);
    if (stopFd >= 0) {
        close(stopFd);
    }
    return 0;
}
