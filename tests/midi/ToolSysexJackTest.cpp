// ventaro-tool sending a system exclusive bank over a private JACK server to a client of the
// test's own: the bank must arrive as one event, byte for byte.

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include "JackPeer.h"
#include "JackServer.h"

namespace {

constexpr std::size_t kBankSize = 4096;
constexpr std::size_t kMaxHeard = 64 * 1024;

// What the receiver heard: its process thread copies each event into room set aside beforehand.
struct Heard {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kMaxHeard);
    std::atomic<std::size_t> used{0};
    std::atomic<int> events{0};
    std::atomic<std::size_t> firstSize{0};
};

void Receive(void* user, jack_client_t*, jack_port_t* const* ports, jack_nframes_t frames) {
    Heard& heard = *static_cast<Heard*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0) {
            continue;
        }
        const std::size_t at = heard.used.load(std::memory_order_relaxed);
        if (at + event.size <= kMaxHeard) {
            std::copy(event.buffer, event.buffer + event.size, heard.bytes.begin() + at);
            heard.used.store(at + event.size, std::memory_order_release);
        }
        if (heard.events.fetch_add(1, std::memory_order_acq_rel) == 0) {
            heard.firstSize.store(event.size, std::memory_order_release);
        }
    }
}

TEST(ToolSysexOverJack, ABankArrivesAsOneBlockByteForByte) {
    if (std::system("command -v jackd >/dev/null") != 0) {
        GTEST_SKIP() << "jackd is not installed";
    }
    JackServer server{48000, 256, true};
    ASSERT_TRUE(server.Start()) << "the private JACK server did not start";
    Heard heard;
    JackPeerClient receiver;
    ASSERT_TRUE(receiver.Open("sysex-recv", false, {"in"}, Receive, &heard));

    // 240, every data value 0..127 in turn, 247.
    std::vector<std::uint8_t> bank(kBankSize);
    for (std::size_t i = 0; i < bank.size(); ++i) {
        bank[i] = static_cast<std::uint8_t>(i % 128);
    }
    bank.front() = 0xF0;
    bank.back() = 0xF7;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("sysex-jack-" + server.Name() + ".syx");
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bank.data()),
               static_cast<std::streamsize>(bank.size()));

    const std::string send =
        std::string(VENTARO_TOOL) + " sysex send --out sysex-recv:in '" + file.string() + "'";
    const int status = std::system(send.c_str());
    std::filesystem::remove(file);
    ASSERT_EQ(status, 0);

    // The tool closed its port only once the block was out; the receiver's cycle may lag.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (heard.used.load(std::memory_order_acquire) < bank.size() &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    receiver.Close();
    EXPECT_EQ(heard.events.load(), 1);
    EXPECT_EQ(heard.firstSize.load(), bank.size());
    ASSERT_EQ(heard.used.load(), bank.size());
    EXPECT_TRUE(std::equal(bank.begin(), bank.end(), heard.bytes.begin()));
}

} // namespace
