#pragma once
// The MidiService the program runs on: the ports of each platform back end in order, then the
// built-in "Loopback" device, whose output feeds its input.
//
// Threads: every operation runs on the user-interface thread, except what arrives on the open
// input, which the platform delivers on a thread of its own (for JACK, the server's real-time
// process cycle). That path only hands the message to the sink and forwards it for thru; it never
// blocks, locks or allocates. Thru is a connection inside the platform where the two ports allow
// it, else a forward through the output's gate.

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "midi/MidiPortBackend.h"
#include "midi/MidiService.h"
#include "midi/OutputGate.h"

inline constexpr const char* kLoopbackName = "Loopback";

class RoutedMidiService : public MidiService, private MidiBytesHandler {
public:
    explicit RoutedMidiService(std::vector<std::unique_ptr<MidiPortBackend>> backends);
    ~RoutedMidiService() override;

    int OutputCount() override;
    std::string OutputName(int index) override;
    int InputCount() override;
    std::string InputName(int index) override;

    MidiResult OpenOutput(int index) override;
    MidiResult CloseOutput() override;
    bool OutputIsOpen() override;
    MidiResult SendShort(std::uint32_t word) override;
    MidiResult SendLong(const std::uint8_t* data, std::size_t length) override;
    MidiResult ResetOutput() override;

    MidiResult OpenInput(int index, MidiInputSink* sink) override;
    MidiResult StartInput() override;
    MidiResult StopInput() override;
    MidiResult ResetInput() override;
    MidiResult CloseInput() override;
    bool InputIsOpen() override;

    MidiResult Connect() override;
    MidiResult Disconnect() override;

    std::string ErrorText(MidiResult code) override;
    MidiResult OutputCaps(int index, MidiDeviceCaps& caps) override;
    MidiResult InputCaps(int index, MidiDeviceCaps& caps) override;

    std::uint64_t DroppedMessages() override;

    bool OutputLost() override;
    std::size_t OutputRoom() override;
    bool InputLost() override;
    void Rescan() override;

private:
    struct Device {
        int backend; // -1 for Loopback
        int port;
        std::string name;
    };

    void ListDevices();
    MidiResult Describe(const std::vector<Device>& devices, int index, bool output,
                        MidiDeviceCaps& caps);
    MidiResult Send(const std::uint8_t* data, std::size_t length);
    // The open input's messages, on the platform's thread.
    void OnBytes(const std::uint8_t* data, std::size_t length) noexcept override;
    // Thru between the open ports, as far as both exist; ends it first.
    void ConnectThru();
    void DisconnectThru();
    MidiResult PlatformError(const std::string& text);

    std::vector<std::unique_ptr<MidiPortBackend>> m_backends;
    std::vector<Device> m_outputs;
    std::vector<Device> m_inputs;

    std::unique_ptr<MidiOutPort> m_output;
    std::unique_ptr<OutputGate> m_gate; // the output's senders, while a platform output is open
    bool m_outputOpen = false;
    bool m_outputIsLoopback = false;

    std::unique_ptr<MidiInPort> m_input;
    bool m_inputOpen = false;
    std::atomic<bool> m_inputIsLoopback{false};
    std::atomic<MidiInputSink*> m_sink{nullptr};
    std::atomic<bool> m_inputStarted{false};
    // Read on the input's thread while a re-open restarts the input.
    std::atomic<std::chrono::steady_clock::rep> m_inputStart{0};

    bool m_thru = false;
    bool m_thruInPlatform = false;
    // The gate the input's thread forwards to, and how many forwards are under way; the
    // user-interface thread clears the one and waits for the other before the gate goes.
    std::atomic<OutputGate*> m_thruGate{nullptr};
    std::atomic<int> m_forwarding{0};
    std::uint64_t m_droppedBefore = 0; // by outputs closed since

    std::string m_lastPlatformError;
};
