// The platform MIDI service end to end: the Loopback device through the real adapter, and a JACK
// port of a private JACK server started by the test itself.

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "JackServer.h"
#include "base/AllState.h"
#include "midi/MidiDevices.h"
#include "midi/MidiInputQueue.h"
#include "midi/RtMidiBackend.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"

namespace {

int IndexOf(MidiService& service, const std::string& name, bool output) {
    const int count = output ? service.OutputCount() : service.InputCount();
    for (int i = 0; i < count; ++i) {
        if ((output ? service.OutputName(i) : service.InputName(i)) == name) {
            return i;
        }
    }
    return -1;
}

int IndexContaining(MidiService& service, const std::string& part) {
    const int count = service.OutputCount();
    for (int i = 0; i < count; ++i) {
        if (service.OutputName(i).find(part) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

std::vector<std::uint32_t> Words(const std::vector<MidiInputEvent>& events) {
    std::vector<std::uint32_t> words;
    for (const MidiInputEvent& e : events) {
        words.push_back(e.word);
    }
    return words;
}

class PlatformMidi : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override {
        if (g_midiService) {
            CloseMidiDevices();
        }
        g_midiService = nullptr;
        g_midiInputSink = nullptr;
        service.reset();
    }

    std::unique_ptr<MidiService> service;
};

} // namespace

TEST_F(PlatformMidi, LoopbackIsAlwaysTheLastDeviceOfBothLists) {
    service = CreatePlatformMidiService();
    ASSERT_GE(service->OutputCount(), 1);
    ASSERT_GE(service->InputCount(), 1);
    EXPECT_EQ(service->OutputName(service->OutputCount() - 1), "Loopback");
    EXPECT_EQ(service->InputName(service->InputCount() - 1), "Loopback");
}

TEST_F(PlatformMidi, BytesSentToLoopbackArriveOnceAtLoopbackWithThruOn) {
    MidiInputQueue queue;
    service = CreatePlatformMidiService();
    g_midiService = service.get();
    g_midiInputSink = &queue;
    g_midiDevices.outputDeviceIndex = IndexOf(*service, "Loopback", true);
    g_midiDevices.inputDeviceIndex = IndexOf(*service, "Loopback", false);
    g_midiDevices.inputEnabled = 1;
    ASSERT_TRUE(OpenMidiDevices());
    queue.Drain(); // the reset's silencing messages

    g_sliders[0].type = kFourteenBitType;
    g_sliders[0].controller1 = 1;
    g_sliders[0].controller2 = 33;
    g_sliders[0].value = 200;
    SendSlider(0);
    SendShortMessage(0xC0, 5, 0);
    EXPECT_EQ(Words(queue.Drain()),
              (std::vector<std::uint32_t>{0x000101B0, 0x004821B0, 0x000005C0}));

    SendPanic();
    const std::vector<std::uint32_t> panic = Words(queue.Drain());
    ASSERT_EQ(panic.size(), 32u);
    EXPECT_EQ(panic.front(), 0x00007BB0u);
    EXPECT_EQ(panic[1], 0x000079B0u);
    EXPECT_EQ(panic.back(), 0x000079BFu);
}

TEST_F(PlatformMidi, PanicReachesAJackPortInOrder) {
    if (std::system("command -v jackd >/dev/null && command -v jack_midi_dump >/dev/null") != 0) {
        GTEST_SKIP() << "jackd or jack_midi_dump is not installed";
    }
    JackServer server;
    ASSERT_TRUE(server.Start()) << "the private JACK server did not start";
    const std::string dumpFile = "/tmp/" + server.Name() + "-dump.txt";
    // Line-buffered, so that the events can be awaited in the file before the dump is stopped.
    const pid_t dump =
        SpawnWithOutput({"stdbuf", "-oL", "jack_midi_dump", "ventaro-dump"}, dumpFile);
    ASSERT_GT(dump, 0);
    ASSERT_TRUE(WaitFor("jack_lsp | grep -q '^ventaro-dump:input$'", 10000));

    service = CreatePlatformMidiService();
    g_midiService = service.get();
    const int port = IndexContaining(*service, "ventaro-dump:input");
    ASSERT_GE(port, 0) << "the JACK port is not in the output list";
    g_midiDevices.outputDeviceIndex = port;
    ASSERT_TRUE(OpenMidiDevices());
    SendPanic();
    // A loaded machine may take a few JACK cycles to pass the 32 events on.
    WaitFor("test $(grep -c ': b' " + dumpFile + ") -ge 32", 10000);
    CloseMidiDevices();
    StopProcess(dump);

    std::ifstream in(dumpFile);
    std::stringstream text;
    text << in.rdbuf();
    // jack_midi_dump prints one line per event: "time: b0 7b 00 control change ...".
    std::vector<std::string> events;
    std::string line;
    while (std::getline(text, line)) {
        const auto colon = line.find(": ");
        if (colon != std::string::npos && line.size() >= colon + 10) {
            events.push_back(line.substr(colon + 2, 8));
        }
    }
    std::vector<std::string> panic;
    for (int channel = 0; channel < 16; ++channel) {
        char all[32];
        char reset[32];
        std::snprintf(all, sizeof all, "b%x 7b 00", channel);
        std::snprintf(reset, sizeof reset, "b%x 79 00", channel);
        panic.push_back(all);
        panic.push_back(reset);
    }
    ASSERT_GE(events.size(), 32u) << text.str();
    // The panic comes first; the silencing of the output at closing follows it.
    std::vector<std::string> head(events.begin(), events.begin() + 32);
    EXPECT_EQ(head, panic) << text.str();
}

TEST_F(PlatformMidi, TheVirtualOutputIsNamedVentaroTwoForOtherJackClients) {
    if (std::system("command -v jackd >/dev/null") != 0) {
        GTEST_SKIP() << "jackd is not installed";
    }
    JackServer server;
    ASSERT_TRUE(server.Start()) << "the private JACK server did not start";
    service = CreatePlatformMidiService();
    g_midiService = service.get();
    const int virtualPort = IndexOf(*service, "Ventaro.2", true);
    ASSERT_GE(virtualPort, 0);
    g_midiDevices.outputDeviceIndex = virtualPort;
    ASSERT_TRUE(OpenMidiDevices());
    // Csound's JACK flags connect to exactly this port name.
    EXPECT_TRUE(WaitFor("jack_lsp | grep -qx 'Ventaro.2:Ventaro.2'", 5000));
}
