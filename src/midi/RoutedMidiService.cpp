#include "midi/RoutedMidiService.h"

#include <thread>

std::size_t ShortMessageLength(std::uint8_t status) {
    if (status < 0xC0) {
        return 3;
    }
    if (status < 0xE0) {
        return 2; // program change, channel pressure
    }
    if (status < 0xF0) {
        return 3;
    }
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 2;
    case 0xF2:
    case 0xF4:
    case 0xF5:
        return 3;
    default:
        return 1;
    }
}

RoutedMidiService::RoutedMidiService(std::vector<std::unique_ptr<MidiPortBackend>> backends)
    : m_backends(std::move(backends)) {
    ListDevices();
}

RoutedMidiService::~RoutedMidiService() {
    Disconnect();
    StopInput();
    CloseInput();
    CloseOutput();
}

void RoutedMidiService::ListDevices() {
    m_outputs.clear();
    m_inputs.clear();
    for (int b = 0; b < static_cast<int>(m_backends.size()); ++b) {
        const std::vector<std::string> outs = m_backends[b]->OutputPorts();
        for (int p = 0; p < static_cast<int>(outs.size()); ++p) {
            m_outputs.push_back({b, p, outs[p]});
        }
        const std::vector<std::string> ins = m_backends[b]->InputPorts();
        for (int p = 0; p < static_cast<int>(ins.size()); ++p) {
            m_inputs.push_back({b, p, ins[p]});
        }
    }
    m_outputs.push_back({-1, 0, kLoopbackName});
    m_inputs.push_back({-1, 0, kLoopbackName});
}

int RoutedMidiService::OutputCount() {
    ListDevices();
    return static_cast<int>(m_outputs.size());
}

std::string RoutedMidiService::OutputName(int index) {
    if (index < 0 || index >= static_cast<int>(m_outputs.size())) {
        return {};
    }
    return m_outputs[index].name;
}

int RoutedMidiService::InputCount() {
    ListDevices();
    return static_cast<int>(m_inputs.size());
}

std::string RoutedMidiService::InputName(int index) {
    if (index < 0 || index >= static_cast<int>(m_inputs.size())) {
        return {};
    }
    return m_inputs[index].name;
}

MidiResult RoutedMidiService::PlatformError(const std::string& text) {
    m_lastPlatformError = text;
    return kMidiErrorGeneric;
}

MidiResult RoutedMidiService::OpenOutput(int index) {
    if (m_outputOpen) {
        return kMidiErrorAllocated;
    }
    if (index < 0 || index >= static_cast<int>(m_outputs.size())) {
        return kMidiErrorBadDevice;
    }
    const Device& device = m_outputs[index];
    if (device.backend < 0) {
        m_outputIsLoopback = true;
    } else {
        std::string error;
        m_output = m_backends[device.backend]->OpenOutput(device.port, error);
        if (!m_output) {
            return PlatformError(error);
        }
        m_gate = std::make_unique<OutputGate>(*m_output);
        m_outputIsLoopback = false;
    }
    m_outputOpen = true;
    ConnectThru();
    return kMidiOk;
}

MidiResult RoutedMidiService::CloseOutput() {
    if (!m_outputOpen) {
        return kMidiErrorInvalidHandle;
    }
    DisconnectThru();
    if (m_output) {
        m_droppedBefore += m_gate->Dropped() + m_output->Dropped();
    }
    m_gate.reset();
    m_output.reset();
    m_outputOpen = false;
    m_outputIsLoopback = false;
    return kMidiOk;
}

bool RoutedMidiService::OutputIsOpen() {
    return m_outputOpen;
}

MidiResult RoutedMidiService::Send(const std::uint8_t* data, std::size_t length) {
    if (!m_outputOpen) {
        return kMidiErrorInvalidHandle;
    }
    if (m_outputIsLoopback) {
        if (m_inputIsLoopback.load()) {
            OnBytes(data, length);
        }
        return kMidiOk;
    }
    std::string error;
    if (!m_gate->Send(data, length, error)) {
        return PlatformError(error);
    }
    return kMidiOk;
}

MidiResult RoutedMidiService::SendShort(std::uint32_t word) {
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(word),
                                   static_cast<std::uint8_t>(word >> 8),
                                   static_cast<std::uint8_t>(word >> 16)};
    return Send(bytes, ShortMessageLength(bytes[0]));
}

MidiResult RoutedMidiService::SendLong(const std::uint8_t* data, std::size_t length) {
    if (length == 0) {
        return kMidiErrorInvalidParameter;
    }
    return Send(data, length);
}

MidiResult RoutedMidiService::ResetOutput() {
    // The platform's reset: All Sound Off and All Notes Off on every channel.
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const std::uint8_t status = static_cast<std::uint8_t>(0xB0 | channel);
        for (std::uint8_t controller : {std::uint8_t{120}, std::uint8_t{123}}) {
            const std::uint8_t message[3] = {status, controller, 0};
            if (const MidiResult result = Send(message, 3); result != kMidiOk) {
                return result;
            }
        }
    }
    return kMidiOk;
}

MidiResult RoutedMidiService::OpenInput(int index, MidiInputSink* sink) {
    if (m_inputOpen) {
        return kMidiErrorAllocated;
    }
    if (index < 0 || index >= static_cast<int>(m_inputs.size())) {
        return kMidiErrorBadDevice;
    }
    m_sink.store(sink);
    m_inputStarted.store(false);
    const Device& device = m_inputs[index];
    if (device.backend < 0) {
        m_inputIsLoopback.store(true);
    } else {
        std::string error;
        m_input = m_backends[device.backend]->OpenInput(device.port, *this, error);
        if (!m_input) {
            m_sink.store(nullptr);
            return PlatformError(error);
        }
        m_inputIsLoopback.store(false);
    }
    m_inputOpen = true;
    ConnectThru();
    return kMidiOk;
}

MidiResult RoutedMidiService::StartInput() {
    if (!m_inputOpen) {
        return kMidiErrorInvalidHandle;
    }
    m_inputStart.store(std::chrono::steady_clock::now().time_since_epoch().count());
    m_inputStarted.store(true);
    return kMidiOk;
}

MidiResult RoutedMidiService::StopInput() {
    if (!m_inputOpen) {
        return kMidiErrorInvalidHandle;
    }
    m_inputStarted.store(false);
    return kMidiOk;
}

MidiResult RoutedMidiService::ResetInput() {
    // Nothing is queued on this service, so a reset has nothing to hand back; the input keeps
    // listening, so that resetting the devices never silences the monitor.
    return m_inputOpen ? kMidiOk : kMidiErrorInvalidHandle;
}

MidiResult RoutedMidiService::CloseInput() {
    if (!m_inputOpen) {
        return kMidiErrorInvalidHandle;
    }
    DisconnectThru();
    m_inputStarted.store(false);
    m_input.reset(); // the platform calls the handler no more
    m_inputOpen = false;
    m_inputIsLoopback.store(false);
    m_sink.store(nullptr);
    return kMidiOk;
}

bool RoutedMidiService::InputIsOpen() {
    return m_inputOpen;
}

MidiResult RoutedMidiService::Connect() {
    if (!m_inputOpen) {
        return kMidiErrorInvalidHandle;
    }
    m_thru = true;
    ConnectThru();
    return kMidiOk;
}

MidiResult RoutedMidiService::Disconnect() {
    m_thru = false;
    DisconnectThru();
    return kMidiOk;
}

void RoutedMidiService::ConnectThru() {
    DisconnectThru();
    // The Loopback input hears only the Loopback output, and thru never feeds the Loopback
    // output back into itself: with either of them there is nothing to connect.
    if (!m_thru || !m_inputOpen || !m_outputOpen || m_inputIsLoopback.load() ||
        m_outputIsLoopback) {
        return;
    }
    if (m_input->ConnectThru(*m_output)) {
        m_thruInPlatform = true;
    } else {
        m_thruGate.store(m_gate.get());
    }
}

void RoutedMidiService::DisconnectThru() {
    if (m_thruInPlatform) {
        m_input->DisconnectThru();
        m_thruInPlatform = false;
    }
    m_thruGate.store(nullptr);
    // A forward already under way still uses the gate; it ends without waiting on anything.
    while (m_forwarding.load() != 0) {
        std::this_thread::yield();
    }
}

void RoutedMidiService::OnBytes(const std::uint8_t* data, std::size_t length) noexcept {
    if (!m_inputStarted.load() || length == 0) {
        return;
    }
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch() -
                         std::chrono::steady_clock::duration(m_inputStart.load());
    const auto timeMs = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    if (MidiInputSink* sink = m_sink.load()) {
        if (data[0] == 0xF0) {
            sink->OnLongMessage(data, length, timeMs);
        } else {
            sink->OnShortMessage(
                PackShortMessage(data[0], length > 1 ? data[1] : 0, length > 2 ? data[2] : 0),
                timeMs);
        }
    }
    // Sequentially consistent with DisconnectThru: either it sees this forward counted, or this
    // forward sees the gate gone.
    m_forwarding.fetch_add(1);
    if (OutputGate* gate = m_thruGate.load()) {
        gate->Forward(data, length);
    }
    m_forwarding.fetch_sub(1);
}

std::uint64_t RoutedMidiService::DroppedMessages() {
    std::uint64_t dropped = m_droppedBefore;
    if (m_output) {
        dropped += m_gate->Dropped() + m_output->Dropped();
    }
    return dropped;
}

bool RoutedMidiService::OutputLost() {
    return m_output && m_output->Lost();
}

std::size_t RoutedMidiService::OutputRoom() {
    // Without a platform port a send fails or loops back at once: nothing to wait for.
    return m_output && !m_outputIsLoopback ? m_output->Room(3) : MidiOutPort::kAnyRoom;
}

bool RoutedMidiService::InputLost() {
    return m_input && m_input->Lost();
}

void RoutedMidiService::Rescan() {
    for (const auto& backend : m_backends) {
        backend->Refresh();
    }
    ListDevices();
}

std::string RoutedMidiService::ErrorText(MidiResult code) {
    switch (code) {
    case kMidiOk:
        return "The specified command was carried out.";
    case kMidiErrorGeneric:
        return m_lastPlatformError.empty() ? "Unspecified error." : m_lastPlatformError;
    case kMidiErrorBadDevice:
        return "The specified device identifier is out of range.";
    case kMidiErrorAllocated:
        return "The specified resource is already allocated.";
    case kMidiErrorInvalidHandle:
        return "The specified device handle is invalid.";
    case kMidiErrorNoDriver:
        return "No device driver is present.";
    case kMidiErrorInvalidParameter:
        return "An invalid parameter was passed to a system function.";
    default:
        return "Unspecified error.";
    }
}

MidiResult RoutedMidiService::OutputCaps(int index, MidiDeviceCaps& caps) {
    return Describe(m_outputs, index, true, caps);
}

MidiResult RoutedMidiService::InputCaps(int index, MidiDeviceCaps& caps) {
    return Describe(m_inputs, index, false, caps);
}

MidiResult RoutedMidiService::Describe(const std::vector<Device>& devices, int index, bool output,
                                       MidiDeviceCaps& caps) {
    if (index < 0 || index >= static_cast<int>(devices.size())) {
        return kMidiErrorBadDevice;
    }
    const Device& device = devices[static_cast<std::size_t>(index)];
    caps = MidiDeviceCaps{};
    caps.name = device.name;
    // Loopback is ours alone: it has no technology to tell.
    if (device.backend >= 0) {
        MidiPortBackend& backend = *m_backends[static_cast<std::size_t>(device.backend)];
        if (output) {
            backend.DescribeOutput(device.port, caps);
        } else {
            backend.DescribeInput(device.port, caps);
        }
    }
    return kMidiOk;
}
