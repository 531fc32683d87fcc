#pragma once
// A platform MIDI back end with scripted port lists, for running the real RoutedMidiService in
// tests. Its ports record what reaches them; the test makes input arrive, on its own thread or
// on one of its choosing, as the platform would.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "midi/MidiInputQueue.h"
#include "midi/MidiPortBackend.h"

using MidiBytes = std::vector<std::uint8_t>;

// The words of the drained input events, in order.
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
    std::vector<MidiBytes> sent;
    std::vector<std::string> opens;                  // "out 1", "in 0", "close out", "close in"
    std::atomic<MidiBytesHandler*> handler{nullptr}; // the open input's handler
    std::string openError;                           // non-empty: every open fails with this text
    std::set<int> refused;     // the port indexes (outputs and inputs alike) that fail to open
    std::string sendError;     // non-empty: every send fails with this text
    bool platformThru = false; // the input port connects thru itself, as JACK does
    // The server went away: its ports are lost, and once the service looks again, nothing is
    // listed until it is back.
    std::atomic<bool> gone{false};
    std::atomic<MidiOutPort*> thruTo{nullptr};

    std::vector<MidiBytes> Sent() {
        std::lock_guard lock(mutex);
        return sent;
    }
    // What was sent since the last call, as "B0 07 64" texts.
    std::vector<std::string> TakeSent() {
        std::lock_guard lock(mutex);
        std::vector<std::string> texts;
        for (const MidiBytes& message : sent) {
            std::string text;
            for (std::uint8_t byte : message) {
                char hex[4];
                std::snprintf(hex, sizeof hex, text.empty() ? "%02X" : " %02X", byte);
                text += hex;
            }
            texts.push_back(text);
        }
        sent.clear();
        return texts;
    }
    std::vector<std::string> Opens() {
        std::lock_guard lock(mutex);
        return opens;
    }
    void Note(const std::string& open) {
        std::lock_guard lock(mutex);
        opens.push_back(open);
    }
    // Why an open of port `index` fails, or empty when it opens.
    std::string OpenRefusal(int index) {
        return !openError.empty()     ? openError
               : refused.count(index) ? "The device is in use by another program."
                                      : "";
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
    std::atomic<int> arriving{0};
};

class FakeOutPort : public MidiOutPort {
public:
    explicit FakeOutPort(std::shared_ptr<FakePortLog> log) : m_log(std::move(log)) {}
    ~FakeOutPort() override { m_log->Note("close out"); }
    bool Send(const std::uint8_t* data, std::size_t length) noexcept override {
        std::lock_guard lock(m_log->mutex);
        if (!m_log->sendError.empty()) {
            return false;
        }
        m_log->sent.emplace_back(data, data + length);
        return true;
    }
    std::string LastError() const override { return m_log->sendError; }
    bool Lost() const override { return m_log->gone; }

private:
    std::shared_ptr<FakePortLog> m_log;
};

class FakeInPort : public MidiInPort {
public:
    explicit FakeInPort(std::shared_ptr<FakePortLog> log) : m_log(std::move(log)) {}
    ~FakeInPort() override {
        m_log->handler.store(nullptr);
        m_log->thruTo.store(nullptr);
        m_log->AwaitArrivals();
        m_log->Note("close in");
    }
    bool ConnectThru(MidiOutPort& output) override {
        if (!m_log->platformThru) {
            return false;
        }
        m_log->thruTo.store(&output);
        return true;
    }
    void DisconnectThru() override {
        m_log->thruTo.store(nullptr);
        m_log->AwaitArrivals();
    }
    bool Lost() const override { return m_log->gone; }

private:
    std::shared_ptr<FakePortLog> m_log;
};

class FakeMidiBackend : public MidiPortBackend {
public:
    FakeMidiBackend(std::vector<std::string> outs, std::vector<std::string> ins,
                    std::shared_ptr<FakePortLog> log)
        : m_outs(std::move(outs)), m_ins(std::move(ins)), m_log(std::move(log)) {}
    std::vector<std::string> OutputPorts() override { return m_listed ? m_outs : Names{}; }
    std::vector<std::string> InputPorts() override { return m_listed ? m_ins : Names{}; }
    void Refresh() override { m_listed = !m_log->gone; }
    std::unique_ptr<MidiOutPort> OpenOutput(int index, std::string& error) override {
        if (error = m_log->OpenRefusal(index); !error.empty()) {
            return nullptr;
        }
        m_log->Note("out " + std::to_string(index));
        return std::make_unique<FakeOutPort>(m_log);
    }
    std::unique_ptr<MidiInPort> OpenInput(int index, MidiBytesHandler& handler,
                                          std::string& error) override {
        if (error = m_log->OpenRefusal(index); !error.empty()) {
            return nullptr;
        }
        m_log->Note("in " + std::to_string(index));
        m_log->handler.store(&handler);
        return std::make_unique<FakeInPort>(m_log);
    }

private:
    using Names = std::vector<std::string>;
    Names m_outs;
    Names m_ins;
    bool m_listed = true;
    std::shared_ptr<FakePortLog> m_log;
};
