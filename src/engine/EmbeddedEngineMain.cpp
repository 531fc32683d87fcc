// The embedded sound engine: Csound with the command line of `csound`, reading its MIDI from the
// program's "Ventaro.2" output through a client of its own. It ends cleanly (audio closed, files
// complete, exit code 0) on the stop signal 0xF5, on SIGTERM and on SIGINT.

#include <atomic>
#include <cerrno>
#include <csignal>
#include <csound/csound.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/EngineMidiInput.h"

// Exported by libcsound64 6 and used by csound's own front end, but missing from its header.
extern "C" int csoundErrCnt(CSOUND*);

namespace {

constexpr const char* kEngineName = "Ventaro.2 embedded engine";
constexpr const char* kEngineVersion = "1.0";
// Wins over any MIDI module the flags or the script's options name: the MIDI is ours to give.
constexpr const char* kNoMidiModule = "-+rtmidi=null";

std::atomic<bool> g_stop{false};

// SIGTERM and SIGINT are blocked in every thread, so that none of Csound's or JACK's system calls
// is cut short by them (an interrupted call can make a library give up and abort); one thread
// of ours waits for them and asks for the stop. Threads inherit the mask: this runs first.
void InstallStopSignals() {
    // A console that went away must not end the engine in the middle of a file.
    signal(SIGPIPE, SIG_IGN);
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);
    std::thread([stops] {
        int received = 0;
        sigwait(&stops, &received);
        g_stop.store(true, std::memory_order_release);
    }).detach();
}

// The device name of -M is not used: the input is always the program's port.
int OpenMidiIn(CSOUND* csound, void** userData, const char*) {
    *userData = csoundGetHostData(csound);
    return 0;
}

int ReadMidi(CSOUND*, void* userData, unsigned char* buffer, int size) {
    auto* sink = static_cast<EngineMidiSink*>(userData);
    return size > 0 ? static_cast<int>(sink->Drain(buffer, static_cast<std::size_t>(size))) : 0;
}

int CloseMidi(CSOUND*, void*) {
    return 0;
}

int OpenMidiOut(CSOUND*, void**, const char*) {
    return 0;
}

int WriteMidi(CSOUND*, void*, const unsigned char*, int size) {
    return size; // the engine has no MIDI output: what Csound sends is dropped
}

// csound's own front end, not the library, honours -O FILE, -OFILE and --logfile=FILE ("null"
// silences the messages): the engine does the same, so that a preset using them keeps working.
FILE* g_logFile = nullptr;

void LogMessage(CSOUND*, int, const char* format, va_list arguments) {
    std::vfprintf(g_logFile, format, arguments);
    std::fflush(g_logFile);
}

void NoMessage(CSOUND*, int, const char*, va_list) {}

// False when the named log file cannot be opened; the message says why.
bool OpenLogFile(int argc, char** argv) {
    const char* name = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-O", 2) == 0 && argv[i][2] != '\0') {
            name = argv[i] + 2;
        } else if (std::strncmp(argv[i], "--logfile=", 10) == 0 && argv[i][10] != '\0') {
            name = argv[i] + 10;
        } else if (std::strcmp(argv[i], "-O") == 0 && i + 1 < argc) {
            name = argv[i + 1];
        }
    }
    if (!name) {
        return true;
    }
    if (std::strcmp(name, "null") == 0 || std::strcmp(name, "NULL") == 0) {
        csoundSetDefaultMessageCallback(NoMessage);
        return true;
    }
    g_logFile = std::fopen(name, "w");
    if (!g_logFile) {
        std::fprintf(stderr, "%s: the log file %s cannot be opened: %s\n", kEngineName, name,
                     std::strerror(errno));
        return false;
    }
    csoundSetDefaultMessageCallback(LogMessage);
    return true;
}

std::string VersionText() {
    const int version = csoundGetVersion(); // major * 1000 + minor * 10 + patch
    return std::string(kEngineName) + " " + kEngineVersion + " over Csound " +
           std::to_string(version / 1000) + "." + std::to_string(version % 1000 / 10);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", VersionText().c_str());
        return 0;
    }
    InstallStopSignals();
    // Messages reach a console or pipe as they are written, as with csound.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // Csound's own handlers would end the process on a signal without closing its files.
    csoundInitialize(CSOUNDINIT_NO_SIGNAL_HANDLER | CSOUNDINIT_NO_ATEXIT);
    if (!OpenLogFile(argc, argv)) {
        return 1;
    }

    EngineMidiSink sink(g_stop);
    // The input's client comes up on the server while Csound compiles, to start sooner; Csound
    // reads only the sink, which is there from the start.
    std::unique_ptr<EngineMidiInput> input;
    std::thread opener([&sink, &input] {
        std::string error;
        input = OpenEngineMidiInput(sink, error);
        if (input) {
            std::fprintf(stderr, "%s: MIDI input on %s\n", kEngineName,
                         input->Description().c_str());
        } else {
            std::fprintf(stderr, "%s: no MIDI input (%s); it ends only on SIGTERM or SIGINT\n",
                         kEngineName, error.c_str());
        }
    });

    CSOUND* csound = csoundCreate(&sink);
    if (!csound) {
        std::fprintf(stderr, "%s: Csound could not be created\n", kEngineName);
        opener.join();
        return 1;
    }
    csoundSetHostImplementedMIDIIO(csound, 1);
    csoundSetExternalMidiInOpenCallback(csound, OpenMidiIn);
    csoundSetExternalMidiReadCallback(csound, ReadMidi);
    csoundSetExternalMidiInCloseCallback(csound, CloseMidi);
    csoundSetExternalMidiOutOpenCallback(csound, OpenMidiOut);
    csoundSetExternalMidiWriteCallback(csound, WriteMidi);
    csoundSetExternalMidiOutCloseCallback(csound, CloseMidi);

    std::vector<const char*> arguments(argv, argv + argc);
    if (arguments.empty()) {
        arguments.push_back("VentaroEmebeddedEngine.exe"); // started without even its own name
    }
    // The program's console and log files show the text as it is: no colour codes unless the
    // user asks for them.
    if (g_logFile || !::isatty(STDERR_FILENO)) {
        arguments.insert(arguments.begin() + 1, "-+msg_color=false");
    }
    arguments.push_back(kNoMidiModule);
    int result = csoundCompile(csound, static_cast<int>(arguments.size()), arguments.data());
    const bool compiled = result == 0;
    opener.join();
    if (compiled) {
        // One control period at a time, so that a stop is seen within one of them.
        while (!g_stop.load(std::memory_order_acquire) &&
               (result = csoundPerformKsmps(csound)) == 0) {
        }
    }
    // Both close their clients on the server, a round trip each: the MIDI input goes while
    // Csound closes its audio, to end sooner. Csound reads only the sink, which stays.
    std::thread closer([&input] { input.reset(); });
    if (compiled) {
        csoundCleanup(csound);
    }
    const int errors = csoundErrCnt(csound);
    csoundDestroy(csound);
    closer.join();
    if (g_logFile) {
        std::fclose(g_logFile);
    }
    // As csound: a failed compile, a failed performance or errors in it end with 1.
    return !compiled || result < 0 || errors > 0 ? 1 : 0;
}
