#pragma once
// A MIDI back end with scripted port lists under the real RoutedMidiService: its ports record
// what reaches them, and input arrives on whichever thread the test chooses.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "midi/MidiInputQueue.h"
#include "midi/MidiPortBackend.h"

using MidiBytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

inline std::vector<std::uint32_t> Words(const std::vector<MidiInputEvent>& events) {
    std::vector<std::uint32_t> words;
    for (const MidiInputEvent& event : events) {
        words.push_back(event.word);
    }
    return words;
}

// What one back end's ports did, shared with the test after the service took the back end.
struct FakePortLog {
    std::mutex mutex;
    Texts sent;                         // as "B0 07 64"
    Texts opens;                        // "out 1", "in 0", "close out", "close in"
    std::map<int, std::string> refused; // port index (outputs and inputs alike) → why it fails
    std::string sendError;              // non-empty: every send fails with this text
    bool platformThru = false;          // the input port connects thru itself, as JACK does
    // Messages the output takes before its queue is full, as a JACK port's between cycles.
    std::atomic<std::size_t> room{MidiOutPort::kAnyRoom};
    // The server went away: its ports are lost, and a rescan lists nothing until it is back.
    std::atomic<bool> gone{false};
    std::atomic<MidiBytesHandler*> handler{nullptr}; // the open input's handler
    std::atomic<MidiOutPort*> thruTo{nullptr};
    std::atomic<int> arriving{0};

    // What was sent, or opened and closed, since the last call.
    Texts TakeSent() { return Take(sent); }
    Texts TakeOpens() { return Take(opens); }
    Texts Take(Texts& texts) {
        std::lock_guard lock(mutex);
        return std::exchange(texts, {});
    }
    void Note(std::string open) {
        std::lock_guard lock(mutex);
        opens.push_back(std::move(open));
    }
    // A message arriving at the open input, on the calling thread.
    void Arrive(const MidiBytes& message) {
        arriving.fetch_add(1);
        if (MidiBytesHandler* h = handler.load()) {
            h->OnBytes(message.data(), message.size());
        }
        if (MidiOutPort* out = thruTo.load()) {
            out->Send(message.data(), message.size());
        }
        arriving.fetch_sub(1);
    }
    // As a platform does when a port closes or disconnects: a delivery under way ends first.
    void AwaitArrivals() {
        while (arriving.load() != 0) {
            std::this_thread::yield();
        }
    }
};

// A port of either direction, recording into the log.
class FakePort : public MidiOutPort, public MidiInPort {
public:
    FakePort(std::shared_ptr<FakePortLog> log, bool input) : m_log(std::move(log)), m_in(input) {}
    ~FakePort() override {
        if (m_in) {
            m_log->handler.store(nullptr);
            DisconnectThru();
        }
        m_log->Note(m_in ? "close in" : "close out");
    }
    bool Send(const std::uint8_t* data, std::size_t length) noexcept override {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", data[i]);
            text += hex;
        }
        std::lock_guard lock(m_log->mutex);
        if (m_log->sendError.empty()) {
            m_log->sent.push_back(text);
        }
        return m_log->sendError.empty();
    }
    std::string LastError() const override { return m_log->sendError; }
    bool Lost() const override { return m_log->gone; }
    std::size_t Room(std::size_t) const noexcept override { return m_log->room; }
    bool ConnectThru(MidiOutPort& output) override {
        if (m_log->platformThru) {
            m_log->thruTo.store(&output);
        }
        return m_log->platformThru;
    }
    void DisconnectThru() override {
        m_log->thruTo.store(nullptr);
        m_log->AwaitArrivals();
    }

private:
    std::shared_ptr<FakePortLog> m_log;
    bool m_in;
};

class FakeMidiBackend : public MidiPortBackend {
public:
    FakeMidiBackend(Texts outs, Texts ins, std::shared_ptr<FakePortLog> log)
        : m_outs(std::move(outs)), m_ins(std::move(ins)), m_log(std::move(log)) {}
    Texts OutputPorts() override { return m_listed ? m_outs : Texts{}; }
    Texts InputPorts() override { return m_listed ? m_ins : Texts{}; }
    void Refresh() override { m_listed = !m_log->gone; }
    std::unique_ptr<MidiOutPort> OpenOutput(int index, std::string& error) override {
        return Opens("out ", index, error) ? std::make_unique<FakePort>(m_log, false) : nullptr;
    }
    std::unique_ptr<MidiInPort> OpenInput(int index, MidiBytesHandler& handler,
                                          std::string& error) override {
        if (!Opens("in ", index, error)) {
            return nullptr;
        }
        m_log->handler.store(&handler);
        return std::make_unique<FakePort>(m_log, true);
    }

private:
    bool Opens(const std::string& kind, int index, std::string& error) {
        const auto refusal = m_log->refused.find(index);
        error = refusal == m_log->refused.end() ? "" : refusal->second;
        if (error.empty()) {
            m_log->Note(kind + std::to_string(index));
        }
        return error.empty();
    }

    Texts m_outs;
    Texts m_ins;
    bool m_listed = true;
    std::shared_ptr<FakePortLog> m_log;
};
