// The platform MIDI service end to end, on the ports of a private JACK server per test.

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

#include "JackPeer.h"
#include "JackServer.h"
#include "base/AllState.h"
#include "midi/MidiDevices.h"
#include "midi/MidiInputQueue.h"
#include "midi/PlatformMidiService.h"
#include "midi/RtMidiBackend.h"
#include "tools/DeviceCaps.h"
#include <alsa/asoundlib.h>

namespace {

// What the test's sender writes and its receiver hears, on either side of the program's client.
struct Traffic {
    std::vector<jack_nframes_t> offsets; // one numbered Control Change at each, while they fit
    std::atomic<int> cyclesToSend{0};
    std::atomic<std::uint32_t> sent{0};
    std::vector<jack_nframes_t> sentAt = std::vector<jack_nframes_t>(kSequenceSpace);
    std::atomic<std::size_t> arrived{0};
    SequenceCheck check;
    int moved = 0;           // numbered messages that did not arrive at the frame they were sent at
    std::uint64_t notes = 0; // in order at the start of their cycle; any other counts as wrong
};

void SendTraffic(void* user, jack_client_t* client, jack_port_t* const* ports,
                 jack_nframes_t frames) {
    Traffic& traffic = *static_cast<Traffic*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    jack_midi_clear_buffer(buffer);
    if (traffic.cyclesToSend.load() <= 0) {
        return;
    }
    const jack_nframes_t start = jack_last_frame_time(client);
    for (jack_nframes_t offset : traffic.offsets) {
        const std::uint32_t sequence = traffic.sent.load(std::memory_order_relaxed);
        std::uint8_t bytes[3];
        EncodeSequence(sequence, bytes);
        if (jack_midi_event_write(buffer, offset, bytes, 3) == 0) {
            traffic.sentAt[sequence % kSequenceSpace] = start + offset;
            traffic.sent.store(sequence + 1, std::memory_order_release);
        }
    }
    traffic.cyclesToSend.fetch_sub(1);
}

void ReceiveTraffic(void* user, jack_client_t* client, jack_port_t* const* ports,
                    jack_nframes_t frames) {
    Traffic& traffic = *static_cast<Traffic*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    const jack_nframes_t start = jack_last_frame_time(client);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t e;
        std::uint32_t sequence = 0;
        if (jack_midi_event_get(&e, buffer, i) != 0) {
            ++traffic.check.wrong;
        } else if (e.size == 3 && e.buffer[0] == 0x90) {
            const std::uint64_t note = e.buffer[1] | e.buffer[2] << 7;
            const bool next = note == traffic.notes && e.time == 0;
            ++(next ? traffic.notes : traffic.check.wrong);
        } else if (traffic.check.Take(e.buffer, e.size, sequence)) {
            traffic.moved += traffic.sentAt[sequence] != start + e.time;
        }
    }
    traffic.arrived.fetch_add(count, std::memory_order_release);
}

// Each test on a private synchronous server with 64-frame cycles.
class JackMidi : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        if (std::system("command -v jackd >/dev/null") != 0) {
            GTEST_SKIP() << "jackd is not installed";
        }
        ASSERT_TRUE(server.Start()) << "the private JACK server did not start";
    }
    void TearDown() override {
        if (g_midiService) {
            CloseMidiDevices();
        }
        g_midiService = nullptr;
        g_midiInputSink = nullptr;
        service.reset();
    }
    void MakeService() {
        service = CreatePlatformMidiService();
        g_midiService = service.get();
    }

    // The test's sender and receiver, and the service with thru between them.
    void OpenThru() {
        ASSERT_TRUE(sender.Open("peer-send", true, {"out"}, SendTraffic, &traffic));
        ASSERT_TRUE(receiver.Open("peer-recv", false, {"in"}, ReceiveTraffic, &traffic));
        MakeService();
        input = FindMidiInput("peer-send:out");
        output = FindMidiOutput("peer-recv:in");
        ASSERT_TRUE(input >= 0 && output >= 0);
        ASSERT_TRUE(OurPorts(sender.Client()).empty()); // listing the devices makes no port
        ASSERT_EQ(service->OpenOutput(output), kMidiOk);
        ASSERT_EQ(service->OpenInput(input, &queue), kMidiOk);
        ASSERT_EQ(service->StartInput(), kMidiOk);
        ASSERT_EQ(service->Connect(), kMidiOk);
    }

    void AwaitQuiet() {
        ASSERT_TRUE(WaitUntil([&] { return traffic.cyclesToSend.load() <= 0; }, 30000));
        std::size_t arrived = traffic.arrived.load();
        ASSERT_TRUE(WaitUntil(
            [&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                return std::exchange(arrived, traffic.arrived.load()) == arrived;
            },
            10000));
    }

    static std::vector<std::string> Names(const char** list) {
        std::vector<std::string> names;
        for (const char** name = list; name && *name; ++name) {
            names.emplace_back(*name);
        }
        jack_free(list);
        return names;
    }
    static std::vector<std::string> OurPorts(jack_client_t* client) {
        return Names(jack_get_ports(client, "^Ventaro\\.2:", nullptr, 0));
    }
    std::vector<std::string> Connections(const char* port) {
        jack_client_t* client = sender.Client();
        return Names(jack_port_get_all_connections(client, jack_port_by_name(client, port)));
    }

    JackServer server{48000, 64, true};
    std::unique_ptr<MidiService> service;
    Traffic traffic;
    JackPeerClient sender;
    JackPeerClient receiver;
    MidiInputQueue queue; // the service closes first, in TearDown
    int input = -1;
    int output = -1;
};

void SendNotes(MidiService& service, int first, int count) {
    for (int note = first; note < first + count; ++note) {
        ASSERT_EQ(service.SendShort(PackShortMessage(0x90, static_cast<std::uint8_t>(note & 0x7F),
                                                     static_cast<std::uint8_t>(note >> 7))),
                  kMidiOk);
    }
}

} // namespace

TEST_F(JackMidi, ThruKeepsEachEventsFrameInItsCycleWhileTheUserInterfaceSends) {
    traffic.offsets = {0, 1, 17, 40, 63};
    OpenThru();
    traffic.cyclesToSend = 400;
    ASSERT_TRUE(WaitUntil([&] { return traffic.cyclesToSend.load() <= 400 - 20; }, 10000));
    SendNotes(*service, 0, 100);
    AwaitQuiet();

    EXPECT_EQ(traffic.check.inOrder, 400u * 5);
    EXPECT_EQ(traffic.check.wrong, 0u);
    EXPECT_EQ(traffic.notes, 100u);
    EXPECT_EQ(traffic.moved, 0); // same cycle, same offset: as a direct connection
    // The handler heard every input event too.
    int handed = 0;
    for (const MidiInputEvent& event : queue.Drain()) {
        handed += (event.word & 0xF0) == 0xB0;
    }
    EXPECT_EQ(handed, 400 * 5);
    EXPECT_EQ(service->DroppedMessages(), 0u);
}

TEST_F(JackMidi, AFullBufferDropsWholeMessagesCountedAndNeverWritesWrongOnes) {
    traffic.offsets.assign(4096, 0); // more than the sender's buffer takes
    OpenThru();
    traffic.cyclesToSend = 300;
    ASSERT_TRUE(WaitUntil([&] { return traffic.cyclesToSend.load() <= 300 - 10; }, 10000));
    // The user interface's messages go first in their cycle and take the room of thru events.
    SendNotes(*service, 0, 500);
    AwaitQuiet();

    EXPECT_EQ(traffic.check.wrong, 0u);
    EXPECT_EQ(traffic.notes, 500u);
    const std::uint64_t dropped = service->DroppedMessages();
    EXPECT_GE(dropped, 1u);
    EXPECT_EQ(traffic.check.inOrder + dropped, traffic.sent.load());
}

TEST_F(JackMidi, ClosingAndReopeningPortsAndThruWhileEventsFlowLosesNoSendAndRepeatsNone) {
    traffic.offsets = {3, 30, 60};
    OpenThru();
    traffic.cyclesToSend = 1 << 30;
    for (int round = 0; round < 10; ++round) {
        ASSERT_EQ(service->Disconnect(), kMidiOk);
        ASSERT_EQ(service->Connect(), kMidiOk);
        SendNotes(*service, round * 5, 5); // still queued when the output closes
        ASSERT_EQ(service->CloseOutput(), kMidiOk);
        ASSERT_EQ(service->OpenOutput(output), kMidiOk);
        ASSERT_EQ(service->CloseInput(), kMidiOk);
        ASSERT_EQ(service->OpenInput(input, &queue), kMidiOk);
        ASSERT_EQ(service->StartInput(), kMidiOk);
        queue.Drain();
    }
    const std::size_t arrived = traffic.arrived.load();
    EXPECT_TRUE(WaitUntil([&] { return traffic.arrived.load() >= arrived + 30; }, 10000))
        << "thru passes nothing after the reopening";
    traffic.cyclesToSend = 0;
    AwaitQuiet();

    // A port taken out of the cycles while a peer still reads it repeats its last events.
    EXPECT_EQ(traffic.check.wrong, 0u);
    EXPECT_EQ(traffic.notes, 50u);
    // One client of ours holds every port of the program, there from the first opening.
    EXPECT_EQ(OurPorts(sender.Client()),
              (std::vector<std::string>{"Ventaro.2:Output", "Ventaro.2:Input",
                                        "Ventaro.2:Ventaro.2", "Ventaro.2:Ventaro.2 input"}));
    EXPECT_EQ(Connections("Ventaro.2:Output"), std::vector<std::string>{"peer-recv:in"});
    EXPECT_EQ(Connections("Ventaro.2:Input"), std::vector<std::string>{"peer-send:out"});
    // Closing takes back the connections the opening made (the graph has it a few cycles later).
    ASSERT_EQ(service->CloseOutput(), kMidiOk);
    ASSERT_EQ(service->CloseInput(), kMidiOk);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return Connections("Ventaro.2:Output").empty() &&
                   Connections("Ventaro.2:Input").empty();
        },
        5000));
}

// As after `kill -9` of jackd and its restart, under an open output and input.
TEST_F(JackMidi, AKilledServerIsNoticedAndItsDevicesReopenWhenAServerRunsAgain) {
    MakeService();
    g_midiInputSink = &queue;
    g_midiDevices.outputDeviceIndex = FindMidiOutput("Ventaro.2");
    g_midiDevices.inputDeviceIndex = FindMidiInput("Ventaro.2");
    g_midiDevices.inputEnabled = 1;
    ASSERT_TRUE(OpenMidiDevices());
    ASSERT_EQ(::kill(server.Pid(), SIGKILL), 0);
    server.Stop();
    ASSERT_TRUE(
        WaitUntil([] { return !(CheckMidiDevices(), g_midiDevices.outputLost == 0); }, 5000));
    EXPECT_NE(g_midiDevices.inputLost, 0);
    EXPECT_FALSE(ReopenLostMidiDevices(true)); // what a reset does: no success claimed
    EXPECT_NE(SendShortMessage(0x90, 60, 64), kMidiOk);

    ASSERT_TRUE(server.Start());
    ASSERT_TRUE(
        WaitUntil([] { return (CheckMidiDevices(), g_midiDevices.outputLost == 0); }, 10000));
    EXPECT_EQ(g_midiDevices.inputLost, 0);
    EXPECT_EQ(SendShortMessage(0x90, 60, 64), kMidiOk);
    EXPECT_TRUE(WaitFor("jack_lsp | grep -qx 'Ventaro.2:Ventaro.2 input'", 5000));
}

TEST_F(JackMidi, AStoppedServerNeverHoldsTheUserInterfaceAndTheCloseEndsWhenItGoesOn) {
    MakeService();
    const int virtualOutput = FindMidiOutput("Ventaro.2");
    ASSERT_EQ(service->OpenOutput(virtualOutput), kMidiOk);
    ASSERT_EQ(::kill(server.Pid(), SIGSTOP), 0);
    // A loaded machine may let it answer a little longer.
    ASSERT_TRUE(WaitFor("grep -q ') T ' /proc/" + std::to_string(server.Pid()) + "/stat", 5000));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(service->CloseOutput(), kMidiOk);
    const MidiResult reopened = service->OpenOutput(virtualOutput);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4000));
    EXPECT_NE(reopened, kMidiOk);
    EXPECT_EQ(service->ErrorText(reopened), "The JACK server does not answer.");

    ASSERT_EQ(::kill(server.Pid(), SIGCONT), 0);
    // The close waited for the server, then ended; the port opens again.
    EXPECT_TRUE(WaitUntil([&] { return service->OpenOutput(virtualOutput) == kMidiOk; }, 10000));
    EXPECT_EQ(service->SendShort(0x403C90), kMidiOk);
}

// A bridge of hardware ports registers physical ports.
TEST_F(JackMidi, APhysicalPortIsAHardwarePortAndAProgramsPortHasNoTechnology) {
    ASSERT_TRUE(receiver.Open("peer-recv", false, {"in"}, ReceiveTraffic, &traffic));
    ASSERT_NE(jack_port_register(receiver.Client(), "hw", JACK_DEFAULT_MIDI_TYPE,
                                 JackPortIsInput | JackPortIsPhysical | JackPortIsTerminal, 0),
              nullptr);
    MakeService();
    const std::pair<const char*, std::string> outputs[] = {{"peer-recv:hw", "MIDI hardware port"},
                                                           {"peer-recv:in", "0"},
                                                           {"Ventaro.2", "0"},
                                                           {"Loopback", "0"}};
    for (const auto& [name, technology] : outputs) {
        g_midiDevices.outputDeviceIndex = FindMidiOutput(name);
        ASSERT_GE(g_midiDevices.outputDeviceIndex, 0) << name;
        const std::string report = CurrentOutputReport();
        EXPECT_NE(report.find("Technology:\t\t\t" + technology + "\r\n"), std::string::npos)
            << report;
    }
}

// RtMidi names an ALSA port "client:port client-number:port-number".
TEST(AlsaPorts, TheAddressComesFromTheNameAndTheTechnologyFromThePortType) {
    EXPECT_EQ(AlsaAddressOfPortName("Midi Through:Midi Through Port-0 14:0"), std::pair(14, 0));
    EXPECT_EQ(AlsaAddressOfPortName("USB Keys:USB Keys MIDI 1 24:1"), std::pair(24, 1));
    for (const char* name : {"Loopback", "a:b", "x 14:", "x :0", "x 14:0a", "x -1:0"}) {
        EXPECT_EQ(AlsaAddressOfPortName(name), std::nullopt) << name;
    }
    const std::pair<unsigned, int> types[] = {
        {SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE | SND_SEQ_PORT_TYPE_PORT, 1},
        {SND_SEQ_PORT_TYPE_HARDWARE | SND_SEQ_PORT_TYPE_SYNTHESIZER, 2},
        {SND_SEQ_PORT_TYPE_SOFTWARE | SND_SEQ_PORT_TYPE_SYNTHESIZER, 2},
        {SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION, 0}};
    for (const auto& [type, technology] : types) {
        EXPECT_EQ(AlsaPortTechnology(type), technology) << type;
    }
}
