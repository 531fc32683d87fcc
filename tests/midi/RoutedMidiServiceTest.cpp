#include <gtest/gtest.h>
#include <thread>

#include "fakes/FakeMidiBackend.h"

#include "midi/MidiInputQueue.h"
#include "midi/RoutedMidiService.h"

namespace {

void ArriveOnPlatformThread(FakePortLog& log, MidiBytes message) {
    std::thread([&log, message] { log.Arrive(message); }).join();
}

class RoutedMidi : public ::testing::Test {
protected:
    RoutedMidi() {
        std::vector<std::unique_ptr<MidiPortBackend>> backends;
        backends.push_back(
            std::make_unique<FakeMidiBackend>(Texts{"A out 1", "A out 2"}, Texts{"A in"}, a));
        backends.push_back(
            std::make_unique<FakeMidiBackend>(Texts{"B out"}, Texts{"B in 1", "B in 2"}, b));
        service = std::make_unique<RoutedMidiService>(std::move(backends));
    }
    void Route(int output, int input) {
        ASSERT_EQ(service->OpenOutput(output), kMidiOk);
        ASSERT_EQ(service->OpenInput(input, &queue), kMidiOk);
        ASSERT_EQ(service->StartInput(), kMidiOk);
        ASSERT_EQ(service->Connect(), kMidiOk);
    }
    static constexpr int kLoopback = 3; // last in both lists, after the back ends' ports in order

    std::shared_ptr<FakePortLog> a = std::make_shared<FakePortLog>();
    std::shared_ptr<FakePortLog> b = std::make_shared<FakePortLog>();
    MidiInputQueue queue;
    std::unique_ptr<RoutedMidiService> service;
};

// Connected through, Loopback still hears each message once: thru never loops it into itself.
TEST_F(RoutedMidi, LoopbackOutputFeedsLoopbackInputOnceAndOnlyWhileStarted) {
    ASSERT_EQ(service->OpenOutput(kLoopback), kMidiOk);
    ASSERT_EQ(service->OpenInput(kLoopback, &queue), kMidiOk);
    ASSERT_EQ(service->StartInput(), kMidiOk);
    service->Connect();
    service->SendShort(0x00403C90);
    const std::uint8_t sysex[] = {0xF0, 0x7E, 0x01, 0xF7};
    EXPECT_EQ(service->SendLong(sysex, sizeof sysex), kMidiOk);
    service->SendShort(0x000202B0);
    const std::vector<MidiInputEvent> events = queue.Drain();
    EXPECT_EQ(Words(events), (std::vector<std::uint32_t>{0x00403C90, 0, 0x000202B0}));
    EXPECT_EQ(events.at(1).bytes, MidiBytes(sysex, sysex + 4));

    service->StopInput();
    service->SendShort(0x00403C90);
    EXPECT_TRUE(queue.Drain().empty());
}

TEST_F(RoutedMidi, ThruForwardsARealInputToTheOpenRealOutput) {
    ASSERT_EQ(service->OpenOutput(2), kMidiOk); // "B out"
    ASSERT_EQ(service->OpenInput(0, &queue), kMidiOk);
    service->StartInput();
    ArriveOnPlatformThread(*a, {0x90, 60, 100});
    EXPECT_EQ(Words(queue.Drain()), std::vector<std::uint32_t>{0x00643C90});
    EXPECT_TRUE(b->TakeSent().empty()); // not connected yet

    ASSERT_EQ(service->Connect(), kMidiOk);
    ArriveOnPlatformThread(*a, {0xC2, 5});
    EXPECT_EQ(Words(queue.Drain()), std::vector<std::uint32_t>{0x000005C2});
    EXPECT_EQ(b->TakeSent(), Texts{"C2 05"});

    // Thru follows the output to a newly chosen device, and is quiet while none is open.
    service->CloseOutput();
    ArriveOnPlatformThread(*a, {0xC2, 6});
    ASSERT_EQ(service->OpenOutput(0), kMidiOk); // "A out 1"
    ArriveOnPlatformThread(*a, {0xC2, 7});
    service->Disconnect();
    ArriveOnPlatformThread(*a, {0xC2, 8});
    EXPECT_EQ(a->TakeSent(), Texts{"C2 07"});
    EXPECT_TRUE(b->TakeSent().empty());
}

TEST_F(RoutedMidi, ThruIsThePlatformsOwnConnectionWhereItCanConnectThePorts) {
    b->platformThru = true;
    Route(2, 1); // "B out", "B in 1"
    ArriveOnPlatformThread(*b, {0x90, 60, 1});
    EXPECT_EQ(b->TakeSent(), Texts{"90 3C 01"}); // once, not forwarded again
    EXPECT_EQ(Words(queue.Drain()), std::vector<std::uint32_t>{0x00013C90});
    service->Disconnect();
    EXPECT_EQ(b->thruTo.load(), nullptr);
}

TEST_F(RoutedMidi, ShortMessagesCarryTheWireLengthOfTheirStatus) {
    // 0xF5 is the engine's stop signal: it arrives whole.
    const std::uint8_t statuses[] = {0x80, 0xBF, 0xC0, 0xDF, 0xE0, 0xF1,
                                     0xF2, 0xF3, 0xF5, 0xF8, 0xFF};
    const std::size_t lengths[] = {3, 3, 2, 2, 3, 2, 3, 2, 3, 1, 1};
    for (std::size_t i = 0; i < std::size(statuses); ++i) {
        EXPECT_EQ(ShortMessageLength(statuses[i]), lengths[i]) << int{statuses[i]};
    }
    ASSERT_EQ(service->OpenOutput(0), kMidiOk);
    service->SendShort(0x000005C0);
    service->SendShort(0x000000F8);
    EXPECT_EQ(a->TakeSent(), (Texts{"C0 05", "F8"}));
}

TEST_F(RoutedMidi, PlatformErrorsReachErrorText) {
    EXPECT_EQ(service->SendShort(0x90), kMidiErrorInvalidHandle);
    EXPECT_EQ(service->ErrorText(kMidiErrorInvalidHandle),
              "The specified device handle is invalid.");
    EXPECT_EQ(service->OpenOutput(9), kMidiErrorBadDevice);
    EXPECT_EQ(service->OutputName(4) + service->InputName(-1), "");

    a->refused = {{0, "ALSA: no such port"}};
    EXPECT_EQ(service->ErrorText(service->OpenOutput(0)), "ALSA: no such port");
    EXPECT_FALSE(service->OutputIsOpen());
    EXPECT_EQ(service->ErrorText(service->OpenInput(0, &queue)), "ALSA: no such port");
    EXPECT_FALSE(service->InputIsOpen());

    a->refused.clear();
    ASSERT_EQ(service->OpenOutput(0), kMidiOk);
    EXPECT_EQ(service->OpenOutput(1), kMidiErrorAllocated);
    a->sendError = "port went away"; // no send runs now
    EXPECT_EQ(service->ErrorText(service->SendShort(0x00403C90)), "port went away");
}

TEST_F(RoutedMidi, SendingWhileTheInputThreadForwardsThruKeepsEveryMessageWhole) {
    Route(2, 0);
    constexpr int kCount = 2000;
    std::thread input([this] {
        for (int i = 0; i < kCount; ++i) {
            a->Arrive({0x91, 1, 2});
        }
    });
    for (int i = 0; i < kCount; ++i) {
        service->SendShort(0x000403B2);
        if (i % 500 == 0) {
            service->StartInput(); // a re-open restarts the running input
        }
    }
    input.join();
    int thru = 0, own = 0;
    for (const std::string& m : b->TakeSent()) {
        ASSERT_TRUE(m == "91 01 02" || m == "B2 03 04") << m;
        (m == "91 01 02" ? thru : own) += 1;
    }
    EXPECT_EQ(own, kCount);
    // A forward finding its queue full is counted, never lost silently.
    EXPECT_EQ(static_cast<std::uint64_t>(thru) + service->DroppedMessages(), kCount + 0u);
    EXPECT_EQ(queue.Drain().size(), static_cast<std::size_t>(kCount));
}

// Nothing crashes, races or arrives broken (run under ThreadSanitizer too).
TEST_F(RoutedMidi, StressAForeignThreadDeliversWhileTheUiDrainsClearsAndCloses) {
    Route(2, 0);
    constexpr int kCount = 100000;
    std::atomic<bool> done{false};
    std::thread input([this, &done] {
        for (int i = 0; i < kCount; ++i) {
            a->Arrive({0x90, static_cast<std::uint8_t>(i & 0x7F), 64});
        }
        done = true;
    });
    std::size_t drained = 0;
    for (int round = 0; !done; ++round) {
        drained += queue.Drain().size();
        service->SendShort(0x000403B2);
        if (round % 7 == 0) {
            queue.Clear();
        }
        if (round % 50 == 0) {
            service->CloseInput();
            ASSERT_EQ(service->OpenInput(0, &queue), kMidiOk);
            service->StartInput();
            service->Connect();
        }
        if (round % 8 == 0) { // often: a close must meet a forward under way
            service->CloseOutput();
            ASSERT_EQ(service->OpenOutput(round % 16 == 0 ? 2 : 0), kMidiOk);
        }
    }
    input.join();
    drained += queue.Drain().size();
    EXPECT_LE(drained, static_cast<std::size_t>(kCount));
    for (const auto& log : {a, b}) {
        for (const std::string& m : log->TakeSent()) {
            ASSERT_TRUE((m.size() == 8 && m.starts_with("90 ") && m.ends_with(" 40")) ||
                        m == "B2 03 04")
                << m;
        }
    }
}

// An output port whose sends of Control Changes wait at a gate the test opens: a slow send.
struct SlowOutPort : FakePort {
    explicit SlowOutPort(std::shared_ptr<FakePortLog> log) : FakePort(std::move(log), false) {}
    bool Send(const std::uint8_t* data, std::size_t length) noexcept override {
        for (; data[0] == 0xB0 && !open.load(); entered = true) {
            std::this_thread::yield();
        }
        return FakePort::Send(data, length);
    }
    std::atomic<bool> entered{false};
    std::atomic<bool> open{false};
};

} // namespace

// The forward leaves its message, and the sender passes it on as soon as its own send is done.
TEST(OutputGate, AForwardNeverWaitsForASlowSendAndIsSentRightAfterIt) {
    const auto log = std::make_shared<FakePortLog>();
    SlowOutPort port(log);
    OutputGate gate(port);
    std::atomic<bool> uiSent{false};
    std::thread ui([&] {
        std::string error;
        gate.Send(MidiBytes{0xB0, 7, 100}.data(), 3, error);
        uiSent = true;
    });
    while (!port.entered) {
        std::this_thread::yield(); // until the UI's send has reached the port and waits there
    }
    const MidiBytes thru{0x90, 60, 1};
    gate.Forward(thru.data(), thru.size()); // returns at once although the port is taken
    EXPECT_FALSE(uiSent);
    port.open = true;
    ui.join();
    EXPECT_EQ(log->TakeSent(), (Texts{"B0 07 64", "90 3C 01"}));
    EXPECT_EQ(gate.Dropped(), 0u);
}
