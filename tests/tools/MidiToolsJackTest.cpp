// ventaro-tool's monitor and system exclusive send end to end on a private JACK server, between
// JACK clients of the test's own.

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "midi/JackPeer.h"
#include "midi/JackServer.h"

namespace {

constexpr std::uint32_t kMessages = 3000;
// The sender goes on after the monitor's count, so that the listed messages' passage through
// does not hang on the monitor's exit.
constexpr std::uint32_t kSent = kMessages + 400;

struct Stream {
    std::atomic<bool> go{false};
    std::atomic<std::uint32_t> sent{0};
    SequenceCheck check; // the receiver's, read once it is quiet
};

void Send(void* user, jack_client_t*, jack_port_t* const* ports, jack_nframes_t frames) {
    Stream& stream = *static_cast<Stream*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    jack_midi_clear_buffer(buffer);
    for (int i = 0; i < 4 && stream.go.load() && stream.sent.load() < kSent; ++i) {
        std::uint8_t bytes[3];
        EncodeSequence(stream.sent.load(), bytes);
        if (jack_midi_event_write(buffer, static_cast<jack_nframes_t>(i * 8), bytes, 3) == 0) {
            stream.sent.fetch_add(1);
        }
    }
}

void Receive(void* user, jack_client_t*, jack_port_t* const* ports, jack_nframes_t frames) {
    Stream& stream = *static_cast<Stream*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    jack_midi_event_t e;
    std::uint32_t sequence = 0;
    for (std::uint32_t i = 0; jack_midi_event_get(&e, buffer, i) == 0; ++i) {
        stream.check.Take(e.buffer, e.size, sequence);
    }
}

bool Connected(const JackPeerClient& peer) {
    jack_port_t* port = jack_port_by_name(peer.Client(), peer.PortName(0).c_str());
    return port && jack_port_connected(port) > 0;
}

bool JackdMissing() {
    return std::system("command -v jackd >/dev/null") != 0;
}

class MidiToolsJack : public ::testing::Test {
protected:
    void SetUp() override {
        if (JackdMissing()) {
            GTEST_SKIP() << "jackd is not installed";
        }
        ASSERT_TRUE(server.Start()) << "the private JACK server did not start";
        ASSERT_TRUE(sender.Open("peer-send", true, {"out"}, Send, &stream));
        ASSERT_TRUE(receiver.Open("peer-recv", false, {"in"}, Receive, &stream));
    }

    JackServer server{48000, 64, true};
    Stream stream;
    JackPeerClient sender;
    JackPeerClient receiver;
};

TEST_F(MidiToolsJack, TheMonitorListsEveryMessageAndPassesItThroughInOrder) {
    FILE* monitor = popen("timeout -s INT 60 " VENTARO_TOOL " midi monitor --in peer-send:out "
                          "--out peer-recv:in --count 3000",
                          "r");
    ASSERT_TRUE(monitor);
    WaitUntil([&] { return Connected(sender) && Connected(receiver); }, 20000);
    stream.go = true;
    SequenceCheck listed;
    char line[128];
    while (std::fgets(line, sizeof line, monitor)) {
        unsigned time = 0;
        unsigned bytes[3] = {};
        char name[40] = {};
        ASSERT_EQ(std::sscanf(line, "0x%8X 0x%2X 0x%2X 0x%2X (%39[^)])", &time, &bytes[0],
                              &bytes[1], &bytes[2], name),
                  5)
            << line;
        const std::uint8_t message[3] = {static_cast<std::uint8_t>(bytes[0]),
                                         static_cast<std::uint8_t>(bytes[1]),
                                         static_cast<std::uint8_t>(bytes[2])};
        std::uint32_t sequence = 0;
        listed.Take(message, 3, sequence);
    }
    EXPECT_EQ(pclose(monitor), 0);
    EXPECT_EQ(listed.inOrder, kMessages);
    EXPECT_EQ(listed.wrong, 0u);
    // Thru: every listed message reached the receiver once, in order.
    EXPECT_GE(stream.check.inOrder, kMessages);
    EXPECT_EQ(stream.check.wrong, 0u);
}

// The receiver's process thread copies the first event into room set aside beforehand.
struct Heard {
    std::vector<std::uint8_t> first = std::vector<std::uint8_t>(64 * 1024);
    std::atomic<std::size_t> firstSize{0};
    std::atomic<int> events{0};
};

void ReceiveBank(void* user, jack_client_t*, jack_port_t* const* ports, jack_nframes_t frames) {
    Heard& heard = *static_cast<Heard*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    jack_midi_event_t e;
    for (std::uint32_t i = 0; jack_midi_event_get(&e, buffer, i) == 0; ++i) {
        if (heard.events.fetch_add(1) == 0 && e.size <= heard.first.size()) {
            std::copy(e.buffer, e.buffer + e.size, heard.first.begin());
            heard.firstSize.store(e.size);
        }
    }
}

TEST(ToolSysexOverJack, ABankArrivesAsOneBlockByteForByte) {
    if (JackdMissing()) {
        GTEST_SKIP() << "jackd is not installed";
    }
    JackServer server{48000, 256, true};
    ASSERT_TRUE(server.Start()) << "the private JACK server did not start";
    Heard heard;
    JackPeerClient receiver;
    ASSERT_TRUE(receiver.Open("sysex-recv", false, {"in"}, ReceiveBank, &heard));

    std::vector<std::uint8_t> bank(4096); // 240, every data value 0..127 in turn, 247
    for (std::size_t i = 0; i < bank.size(); ++i) {
        bank[i] = i == 0 ? 0xF0 : i + 1 == bank.size() ? 0xF7 : static_cast<std::uint8_t>(i % 128);
    }
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
    WaitUntil([&] { return heard.firstSize.load() != 0; }, 20000);
    receiver.Close();
    EXPECT_EQ(heard.events.load(), 1);
    ASSERT_EQ(heard.firstSize.load(), bank.size());
    EXPECT_TRUE(std::equal(bank.begin(), bank.end(), heard.first.begin()));
}

} // namespace
