#include "EngineHarness.h"

#include <jack/midiport.h>

#include <sstream>
#include <unistd.h>

bool ProgramPortStandIn::Open() {
    return m_peer.Open("Ventaro.2", true, {"Ventaro.2"}, &ProgramPortStandIn::Process, this);
}

bool ProgramPortStandIn::WaitConnected(int milliseconds) const {
    jack_port_t* port = jack_port_by_name(m_peer.Client(), m_peer.PortName(0).c_str());
    const auto deadline = EngineClock::now() + std::chrono::milliseconds(milliseconds);
    while (port && jack_port_connected(port) == 0) {
        if (EngineClock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return port != nullptr;
}

EngineClock::time_point ProgramPortStandIn::Send(std::uint8_t status, std::uint8_t data1,
                                                 std::uint8_t data2) {
    // One message is in flight at a time: its slot is free again once the callback took it.
    const int index = m_queued.load();
    m_messages[static_cast<std::size_t>(index) % m_messages.size()] = {status, data1, data2};
    m_queued.store(index + 1, std::memory_order_release);
    const auto deadline = EngineClock::now() + std::chrono::seconds(1);
    while (m_sent.load(std::memory_order_acquire) <= index) {
        if (EngineClock::now() > deadline) {
            return {};
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return EngineClock::time_point(EngineClock::duration(m_sentAt.load()));
}

void ProgramPortStandIn::Process(void* user, jack_client_t*, jack_port_t* const* ports,
                                 jack_nframes_t frames) {
    auto* self = static_cast<ProgramPortStandIn*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    jack_midi_clear_buffer(buffer);
    const int queued = self->m_queued.load(std::memory_order_acquire);
    int sent = self->m_sent.load(std::memory_order_relaxed);
    if (sent == queued) {
        return;
    }
    for (; sent < queued; ++sent) {
        const std::size_t slot = static_cast<std::size_t>(sent) % self->m_messages.size();
        jack_midi_event_write(buffer, 0, self->m_messages[slot].data(), 3);
    }
    self->m_sentAt.store(EngineClock::now().time_since_epoch().count());
    self->m_sent.store(sent, std::memory_order_release);
}

EngineProcess::EngineProcess(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& folder) {
    const KeptProcess kept =
        m_launcher.LaunchKept(program, arguments, folder, ProcessOutput::Piped);
    m_id = kept.id;
    if (kept.outputFd < 0) {
        return;
    }
    m_reader = std::thread([this, fd = kept.outputFd] {
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_output.append(buffer, static_cast<std::size_t>(got > 0 ? got : 0));
        }
        ::close(fd);
    });
}

EngineProcess::~EngineProcess() {
    if (m_id > 0 && !m_launcher.WaitForExit(m_id, 0, nullptr)) {
        m_launcher.Terminate(m_id, true);
        m_launcher.WaitForExit(m_id, 5000, nullptr);
    }
    if (m_reader.joinable()) {
        m_reader.join();
    }
}

bool EngineProcess::WaitForExit(int milliseconds, ProcessExit* exit) {
    if (!m_launcher.WaitForExit(m_id, milliseconds, exit)) {
        return false;
    }
    if (m_reader.joinable()) {
        m_reader.join(); // the pipe ends with the engine: all it wrote is read
    }
    return true;
}

std::string EngineProcess::Output() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_output;
}
