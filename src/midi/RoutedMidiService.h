#pragma once
// The MidiService the program runs on: the ports of each platform back end in order, then the
// built-in "Loopback" device, whose output feeds its input. Outgoing messages are serialised by
// one lock, since thru forwarding sends from the platform's input thread.

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/MidiPortBackend.h"
#include "midi/MidiService.h"

inline constexpr const char* kLoopbackName = "Loopback";

class RoutedMidiService : public MidiService {
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

private:
    struct Device {
        int backend; // -1 for Loopback
        int port;
        std::string name;
    };

    void ListDevices();
    MidiResult Send(const std::uint8_t* data, std::size_t length);
    void OnIncoming(const std::uint8_t* data, std::size_t length);
    MidiResult PlatformError(const std::string& text);

    std::vector<std::unique_ptr<MidiPortBackend>> m_backends;
    std::vector<Device> m_outputs;
    std::vector<Device> m_inputs;

    std::mutex m_outputMutex; // guards the output port and its kind
    std::unique_ptr<MidiOutPort> m_output;
    bool m_outputOpen = false;
    bool m_outputIsLoopback = false;

    std::unique_ptr<MidiInPort> m_input;
    bool m_inputOpen = false;
    std::atomic<bool> m_inputIsLoopback{false};
    std::atomic<MidiInputSink*> m_sink{nullptr};
    std::atomic<bool> m_inputStarted{false};
    std::atomic<bool> m_thru{false};
    // Read on the input thread while a re-open restarts the input on the UI thread.
    std::atomic<std::chrono::steady_clock::rep> m_inputStart{0};

    std::mutex m_errorMutex;
    std::string m_lastPlatformError;
};
