#include "JackPeer.h"

#include <filesystem>
#include <fstream>

bool JackPeerClient::Open(const std::string& name, bool output,
                          const std::vector<std::string>& ports, Process process, void* user) {
    Close();
    jack_status_t status{};
    m_client = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (!m_client) {
        return false;
    }
    m_process = process;
    m_user = user;
    for (const std::string& port : ports) {
        m_ports.push_back(jack_port_register(m_client, port.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                             output ? JackPortIsOutput : JackPortIsInput, 0));
        if (!m_ports.back()) {
            Close();
            return false;
        }
    }
    if (jack_set_process_callback(m_client, &JackPeerClient::OnProcess, this) != 0 ||
        jack_activate(m_client) != 0) {
        Close();
        return false;
    }
    return true;
}

void JackPeerClient::Close() {
    if (m_client) {
        jack_client_close(m_client);
    }
    m_client = nullptr;
    m_ports.clear();
}

std::string JackPeerClient::PortName(std::size_t index) const {
    return index < m_ports.size() ? jack_port_name(m_ports[index]) : "";
}

int JackPeerClient::OnProcess(jack_nframes_t frames, void* self) {
    auto* peer = static_cast<JackPeerClient*>(self);
    peer->m_process(peer->m_user, peer->m_client, peer->m_ports.data(), frames);
    return 0;
}

void EncodeSequence(std::uint32_t sequence, std::uint8_t bytes[3]) {
    bytes[0] = static_cast<std::uint8_t>(0xB0 | ((sequence >> 14) & 0x0F));
    bytes[1] = static_cast<std::uint8_t>((sequence >> 7) & 0x7F);
    bytes[2] = static_cast<std::uint8_t>(sequence & 0x7F);
}

bool SequenceCheck::Take(const std::uint8_t* bytes, std::size_t size, std::uint32_t& sequence) {
    if (size != 3 || (bytes[0] & 0xF0) != 0xB0 || bytes[1] > 0x7F || bytes[2] > 0x7F) {
        ++wrong; // not a message EncodeSequence makes
        return false;
    }
    sequence = (static_cast<std::uint32_t>(bytes[0] & 0x0F) << 14) |
               (static_cast<std::uint32_t>(bytes[1]) << 7) | bytes[2];
    const std::uint32_t ahead = (sequence - next) & (kSequenceSpace - 1);
    if (ahead >= kSequenceSpace / 2) {
        ++wrong; // repeated, or older than one already taken
        return false;
    }
    next = (sequence + 1) & (kSequenceSpace - 1);
    ++inOrder;
    return true;
}

std::map<long, ThreadWakeUps> WakeUpsByThread() {
    std::map<long, ThreadWakeUps> threads;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        ThreadWakeUps& thread = threads[std::stol(task.path().filename())];
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.starts_with("Name:")) {
                thread.name = line.substr(6);
            } else if (line.starts_with("voluntary_ctxt_switches:")) {
                thread.count = std::stoull(line.substr(24));
            }
        }
    }
    return threads;
}
