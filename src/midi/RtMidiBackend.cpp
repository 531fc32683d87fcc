// The only file that knows RtMidi, which serves the ALSA sequencer: every RtMidi error is caught
// here and becomes an error text for the device manager.

#include "midi/RtMidiBackend.h"

#include <algorithm>
#include <alsa/asoundlib.h>
#include <charconv>
#include <functional>
#include <rtmidi/RtMidi.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// Only the virtual output's client is named "Ventaro.2", so that other programs find it as
// "Ventaro.2"; every other client of ours has a name of its own beginning with the product name.
constexpr const char* kProductName = "Ventaro.2";
constexpr const char* kVirtualPortName = "Ventaro.2";
constexpr const char* kVirtualOutputClient = "Ventaro.2";
constexpr const char* kVirtualInputClient = "Ventaro.2 input";
constexpr const char* kListClient = "Ventaro.2 list";
constexpr const char* kOutputClient = "Ventaro.2 output";
constexpr const char* kInputClient = "Ventaro.2 input";
constexpr RtMidi::Api kApi = RtMidi::LINUX_ALSA;

// Our own clients' ports are left out of the lists: the virtual ports are listed on their own.
bool IsOwnPort(std::string_view name) {
    return name.starts_with(kProductName);
}

// Warnings go to our error text instead of the terminal.
void KeepError(RtMidiError::Type, const std::string& text, void* userData) {
    *static_cast<std::string*>(userData) = text;
}

// The type bits of a sequencer port, 0 when it cannot be asked. RtMidi does not tell them: the
// sequencer is asked directly, through a client of its own opened for this one question (the
// capabilities dialog's, never a real-time path).
unsigned int SequencerPortType(int client, int port) {
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
        return 0;
    }
    unsigned int type = 0;
    snd_seq_port_info_t* info = nullptr;
    if (snd_seq_port_info_malloc(&info) == 0) {
        if (snd_seq_get_any_port_info(seq, client, port, info) == 0) {
            type = snd_seq_port_info_get_type(info);
        }
        snd_seq_port_info_free(info);
    }
    snd_seq_close(seq);
    return type;
}

// Whether a port of this name is still listed (the sequencer keeps running when a device goes:
// only its port leaves the list). Empty for a port of our own, which is never lost.
using ListedCheck = std::function<bool()>;

class RtOutPort : public MidiOutPort {
public:
    explicit RtOutPort(std::unique_ptr<RtMidiOut> out, ListedCheck listed = {})
        : m_out(std::move(out)), m_listed(std::move(listed)) {
        m_out->setErrorCallback(KeepError, this);
    }
    bool Lost() const override { return m_listed && !m_listed(); }
    bool Send(const std::uint8_t* data, std::size_t length) noexcept override {
        m_failed = false;
        try {
            m_out->sendMessage(data, length);
        } catch (const RtMidiError& e) {
            m_lastError = e.getMessage();
            return false;
        } catch (...) {
            m_lastError = "The MIDI output refused the message.";
            return false;
        }
        return !m_failed;
    }
    std::string LastError() const override { return m_lastError; }

private:
    // Warnings and errors arrive here instead of as exceptions.
    static void KeepError(RtMidiError::Type, const std::string& text, void* userData) {
        auto* port = static_cast<RtOutPort*>(userData);
        port->m_lastError = text;
        port->m_failed = true;
    }

    std::string m_lastError;
    bool m_failed = false;
    std::unique_ptr<RtMidiOut> m_out;
    ListedCheck m_listed;
};

// The input's error texts stay with the port, which outlives every callback RtMidi makes.
class RtInPort : public MidiInPort {
public:
    RtInPort(std::unique_ptr<RtMidiIn> in, MidiBytesHandler& handler, ListedCheck listed = {})
        : m_handler(handler), m_in(std::move(in)), m_listed(std::move(listed)) {
        m_in->setErrorCallback(KeepError, &m_lastError);
    }
    bool Lost() const override { return m_listed && !m_listed(); }
    ~RtInPort() override {
        try {
            m_in->cancelCallback();
            m_in->closePort();
        } catch (const RtMidiError&) {
        }
    }

    // Opens the port and starts delivering; false with `error` set when it could not.
    template <typename Open> bool Start(Open open, std::string& error) {
        m_in->ignoreTypes(false, false, false);
        m_in->setCallback(&RtInPort::Deliver, &m_handler);
        open(*m_in);
        if (!m_lastError.empty()) {
            error = m_lastError;
            return false;
        }
        return true;
    }
    bool IsOpen() const { return m_in->isPortOpen(); }

private:
    static void KeepError(RtMidiError::Type, const std::string& text, void* userData) {
        *static_cast<std::string*>(userData) = text;
    }
    static void Deliver(double, std::vector<unsigned char>* message, void* userData) {
        if (message && !message->empty()) {
            static_cast<MidiBytesHandler*>(userData)->OnBytes(message->data(), message->size());
        }
    }

    MidiBytesHandler& m_handler;
    std::string m_lastError;
    std::unique_ptr<RtMidiIn> m_in;
    ListedCheck m_listed;
};

// The ports of the ALSA sequencer.
class RtPortBackend : public MidiPortBackend {
public:
    RtPortBackend() {
        try {
            m_lister = std::make_unique<RtMidiOut>(kApi, kListClient);
            m_lister->setErrorCallback(KeepError, &m_listError);
            m_inLister = std::make_unique<RtMidiIn>(kApi, kListClient);
            m_inLister->setErrorCallback(KeepError, &m_listError);
        } catch (const RtMidiError&) {
            m_lister.reset();
            m_inLister.reset();
        }
    }

    std::vector<std::string> OutputPorts() override { return Ports(m_lister.get()); }
    std::vector<std::string> InputPorts() override { return Ports(m_inLister.get()); }

    std::unique_ptr<MidiOutPort> OpenOutput(int index, std::string& error) override {
        const int port = PortNumber(m_lister.get(), index);
        try {
            auto out = std::make_unique<RtMidiOut>(kApi, kOutputClient);
            std::string openError;
            out->setErrorCallback(KeepError, &openError);
            out->openPort(static_cast<unsigned>(port), "Output");
            if (!openError.empty() || !out->isPortOpen()) {
                error = openError.empty() ? "The MIDI output port could not be opened." : openError;
                return nullptr;
            }
            // Takes the error callback over.
            return std::make_unique<RtOutPort>(std::move(out), Listed(m_lister.get(), index));
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }

    void DescribeOutput(int index, MidiDeviceCaps& caps) override {
        Describe(m_lister.get(), index, caps);
    }
    void DescribeInput(int index, MidiDeviceCaps& caps) override {
        Describe(m_inLister.get(), index, caps);
    }

    std::unique_ptr<MidiInPort> OpenInput(int index, MidiBytesHandler& handler,
                                          std::string& error) override {
        const int port = PortNumber(m_inLister.get(), index);
        try {
            auto in = std::make_unique<RtInPort>(std::make_unique<RtMidiIn>(kApi, kInputClient),
                                                 handler, Listed(m_inLister.get(), index));
            if (!in->Start(
                    [port](RtMidiIn& input) {
                        input.openPort(static_cast<unsigned>(port), "Input");
                    },
                    error)) {
                return nullptr;
            }
            if (!in->IsOpen()) {
                error = "The MIDI input port could not be opened.";
                return nullptr;
            }
            return in;
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }

private:
    void Describe(RtMidi* lister, int index, MidiDeviceCaps& caps) {
        const int number = PortNumber(lister, index);
        if (number < 0) {
            return;
        }
        std::optional<std::pair<int, int>> address;
        try {
            address = AlsaAddressOfPortName(lister->getPortName(static_cast<unsigned>(number)));
        } catch (const RtMidiError&) {
        }
        if (address) {
            caps.technology =
                AlsaPortTechnology(SequencerPortType(address->first, address->second));
        }
    }

    // The platform's port numbers of the ports we list, in order.
    std::vector<int> PortNumbers(RtMidi* lister) {
        std::vector<int> numbers;
        if (!lister) {
            return numbers;
        }
        try {
            const unsigned count = lister->getPortCount();
            for (unsigned i = 0; i < count; ++i) {
                if (!IsOwnPort(lister->getPortName(i))) {
                    numbers.push_back(static_cast<int>(i));
                }
            }
        } catch (const RtMidiError&) {
        }
        return numbers;
    }

    std::vector<std::string> Ports(RtMidi* lister) {
        std::vector<std::string> names;
        for (int number : PortNumbers(lister)) {
            try {
                names.push_back(lister->getPortName(static_cast<unsigned>(number)));
            } catch (const RtMidiError&) {
                names.emplace_back();
            }
        }
        return names;
    }

    // Checks on the user-interface thread, through the backend's lister, which outlives the port.
    ListedCheck Listed(RtMidi* lister, int index) {
        const std::vector<std::string> names = Ports(lister);
        if (index < 0 || index >= static_cast<int>(names.size())) {
            return {};
        }
        return [this, lister, name = names[static_cast<std::size_t>(index)]] {
            const std::vector<std::string> now = Ports(lister);
            return std::find(now.begin(), now.end(), name) != now.end();
        };
    }
    int PortNumber(RtMidi* lister, int index) {
        const std::vector<int> numbers = PortNumbers(lister);
        return index >= 0 && index < static_cast<int>(numbers.size()) ? numbers[index] : -1;
    }

    std::string m_listError;
    std::unique_ptr<RtMidiOut> m_lister;
    std::unique_ptr<RtMidiIn> m_inLister;
};

// The "Ventaro.2" virtual output and input that other programs connect to.
class VirtualPortBackend : public MidiPortBackend {
public:
    std::vector<std::string> OutputPorts() override { return {kVirtualPortName}; }
    std::vector<std::string> InputPorts() override { return {kVirtualPortName}; }

    std::unique_ptr<MidiOutPort> OpenOutput(int, std::string& error) override {
        try {
            auto out = std::make_unique<RtMidiOut>(kApi, kVirtualOutputClient);
            out->openVirtualPort(kVirtualPortName);
            return std::make_unique<RtOutPort>(std::move(out));
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }

    std::unique_ptr<MidiInPort> OpenInput(int, MidiBytesHandler& handler,
                                          std::string& error) override {
        try {
            auto in = std::make_unique<RtInPort>(
                std::make_unique<RtMidiIn>(kApi, kVirtualInputClient), handler);
            if (!in->Start([](RtMidiIn& input) { input.openVirtualPort(kVirtualPortName); },
                           error)) {
                return nullptr;
            }
            return in;
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }
};

} // namespace

std::optional<std::pair<int, int>> AlsaAddressOfPortName(const std::string& name) {
    const std::size_t blank = name.rfind(' ');
    const std::size_t colon = name.rfind(':');
    if (blank == std::string::npos || colon == std::string::npos || colon < blank) {
        return std::nullopt;
    }
    const char* end = name.data() + name.size();
    int client = -1;
    int port = -1;
    const auto [clientEnd, clientError] =
        std::from_chars(name.data() + blank + 1, name.data() + colon, client);
    const auto [portEnd, portError] = std::from_chars(name.data() + colon + 1, end, port);
    if (clientError != std::errc() || portError != std::errc() ||
        clientEnd != name.data() + colon || portEnd != end || client < 0 || port < 0) {
        return std::nullopt;
    }
    return std::pair{client, port};
}

std::uint16_t AlsaPortTechnology(unsigned int type) {
    constexpr unsigned int kSynth = SND_SEQ_PORT_TYPE_SYNTH | SND_SEQ_PORT_TYPE_SYNTHESIZER |
                                    SND_SEQ_PORT_TYPE_DIRECT_SAMPLE | SND_SEQ_PORT_TYPE_SAMPLE;
    if (type & kSynth) {
        return kTechnologySynthesizer;
    }
    if (type & SND_SEQ_PORT_TYPE_HARDWARE) {
        return kTechnologyMidiPort;
    }
    return 0;
}

bool AlsaSequencerAvailable() {
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (RtMidi::Api compiled : apis) {
        if (compiled == kApi) {
            return ::access("/dev/snd/seq", R_OK | W_OK) == 0;
        }
    }
    return false;
}

std::unique_ptr<MidiPortBackend> MakeAlsaPortBackend() {
    return std::make_unique<RtPortBackend>();
}

std::unique_ptr<MidiPortBackend> MakeAlsaVirtualBackend() {
    return std::make_unique<VirtualPortBackend>();
}
