#include <gtest/gtest.h>
#include <thread>

#include "fakes/FakeMidiBackend.h"

#include "midi/MidiInputQueue.h"
#include "midi/RoutedMidiService.h"

namespace {

using Message = MidiBytes;

// Delivers a message on a thread of its own, as the platform does.
void ArriveOnPlatformThread(FakePortLog& log, Message message) {
    std::thread([&log, message] { log.Arrive(message); }).join();
}

class RoutedMidi : public ::testing::Test {
protected:
    RoutedMidi() {
        std::vector<std::unique_ptr<MidiPortBackend>> backends;
        backends.push_back(std::make_unique<FakeMidiBackend>(
            std::vector<std::string>{"A out 1", "A out 2"}, std::vector<std::string>{"A in"}, a));
        backends.push_back(std::make_unique<FakeMidiBackend>(
            std::vector<std::string>{"B out"}, std::vector<std::string>{"B in 1", "B in 2"}, b));
        service = std::make_unique<RoutedMidiService>(std::move(backends));
    }
    static constexpr int kLoopbackOut = 3;
    static constexpr int kLoopbackIn = 3;

    std::shared_ptr<FakePortLog> a = std::make_shared<FakePortLog>();
    std::shared_ptr<FakePortLog> b = std::make_shared<FakePortLog>();
    MidiInputQueue queue;
    std::unique_ptr<RoutedMidiService> service;
};

TEST_F(RoutedMidi, ListsTheBackEndPortsInOrderThenLoopbackLast) {
    ASSERT_EQ(service->OutputCount(), 4);
    ASSERT_EQ(service->InputCount(), 4);
    EXPECT_EQ(service->OutputName(0), "A out 1");
    EXPECT_EQ(service->OutputName(1), "A out 2");
    EXPECT_EQ(service->OutputName(2), "B out");
    EXPECT_EQ(service->OutputName(3), "Loopback");
    EXPECT_EQ(service->InputName(0), "A in");
    EXPECT_EQ(service->InputName(2), "B in 2");
    EXPECT_EQ(service->InputName(3), "Loopback");
    EXPECT_EQ(service->OutputName(4), "");
    EXPECT_EQ(service->InputName(-1), "");
}

TEST_F(RoutedMidi, LoopbackOutputFeedsLoopbackInputOnlyWhileStarted) {
    ASSERT_EQ(service->OpenOutput(kLoopbackOut), kMidiOk);
    ASSERT_EQ(service->OpenInput(kLoopbackIn, &queue), kMidiOk);
    EXPECT_EQ(service->SendShort(0x00403C90), kMidiOk);
    EXPECT_TRUE(queue.Drain().empty());

    ASSERT_EQ(service->StartInput(), kMidiOk);
    service->SendShort(0x00403C90);
    const std::uint8_t sysex[] = {0xF0, 0x7E, 0x01, 0xF7};
    EXPECT_EQ(service->SendLong(sysex, sizeof sysex), kMidiOk);
    const std::vector<MidiInputEvent> events = queue.Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].word, 0x00403C90u);
    EXPECT_EQ(events[1].bytes, Message(sysex, sysex + 4));

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
    EXPECT_TRUE(b->Sent().empty()); // not connected yet

    ASSERT_EQ(service->Connect(), kMidiOk);
    ArriveOnPlatformThread(*a, {0xC2, 5});
    EXPECT_EQ(Words(queue.Drain()), std::vector<std::uint32_t>{0x000005C2});
    EXPECT_EQ(b->Sent(), std::vector<Message>{Message({0xC2, 5})});

    // Thru follows the output to a newly chosen device, and is quiet while none is open.
    service->CloseOutput();
    ArriveOnPlatformThread(*a, {0xC2, 6});
    ASSERT_EQ(service->OpenOutput(0), kMidiOk); // "A out 1"
    ArriveOnPlatformThread(*a, {0xC2, 7});
    EXPECT_EQ(a->Sent(), std::vector<Message>{Message({0xC2, 7})});
    EXPECT_EQ(b->Sent().size(), 1u);

    service->Disconnect();
    ArriveOnPlatformThread(*a, {0xC2, 8});
    EXPECT_EQ(a->Sent().size(), 1u);
}

TEST_F(RoutedMidi, ThruIsThePlatformsOwnConnectionWhereItCanConnectThePorts) {
    b->platformThru = true;
    ASSERT_EQ(service->OpenOutput(2), kMidiOk);        // "B out"
    ASSERT_EQ(service->OpenInput(1, &queue), kMidiOk); // "B in 1"
    service->StartInput();
    ASSERT_EQ(service->Connect(), kMidiOk);
    ArriveOnPlatformThread(*b, {0x90, 60, 1});
    EXPECT_EQ(b->Sent(), std::vector<Message>{Message({0x90, 60, 1})}); // once, not forwarded again
    EXPECT_EQ(Words(queue.Drain()), std::vector<std::uint32_t>{0x00013C90});
    service->Disconnect();
    EXPECT_EQ(b->thruTo.load(), nullptr);
}

TEST_F(RoutedMidi, ThruNeverLoopsLoopbackBackIntoItself) {
    ASSERT_EQ(service->OpenOutput(kLoopbackOut), kMidiOk);
    ASSERT_EQ(service->OpenInput(kLoopbackIn, &queue), kMidiOk);
    service->StartInput();
    service->Connect();
    service->SendShort(0x000101B0);
    service->SendShort(0x000202B0);
    EXPECT_EQ(Words(queue.Drain()), (std::vector<std::uint32_t>{0x000101B0, 0x000202B0}));
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
    service->SendShort(0x000000F5);
    service->SendShort(0x000000F8);
    EXPECT_EQ(a->Sent(), (std::vector<Message>{{0xC0, 5}, {0xF5, 0, 0}, {0xF8}}));
}

TEST_F(RoutedMidi, PlatformErrorsReachErrorText) {
    EXPECT_EQ(service->SendShort(0x90), kMidiErrorInvalidHandle);
    EXPECT_EQ(service->ErrorText(kMidiErrorInvalidHandle),
              "The specified device handle is invalid.");
    EXPECT_EQ(service->OpenOutput(9), kMidiErrorBadDevice);
    EXPECT_EQ(service->ErrorText(kMidiErrorBadDevice),
              "The specified device identifier is out of range.");

    a->openError = "ALSA: no such port";
    const MidiResult open = service->OpenOutput(0);
    EXPECT_NE(open, kMidiOk);
    EXPECT_FALSE(service->OutputIsOpen());
    EXPECT_EQ(service->ErrorText(open), "ALSA: no such port");
    const MidiResult openIn = service->OpenInput(0, &queue);
    EXPECT_EQ(service->ErrorText(openIn), "ALSA: no such port");
    EXPECT_FALSE(service->InputIsOpen());

    a->openError.clear();
    ASSERT_EQ(service->OpenOutput(0), kMidiOk);
    EXPECT_EQ(service->OpenOutput(1), kMidiErrorAllocated);
    {
        std::lock_guard lock(a->mutex);
        a->sendError = "port went away";
    }
    const MidiResult send = service->SendShort(0x00403C90);
    EXPECT_EQ(service->ErrorText(send), "port went away");
}

TEST_F(RoutedMidi, SendingWhileTheInputThreadForwardsThruKeepsEveryMessageWhole) {
    ASSERT_EQ(service->OpenOutput(2), kMidiOk);
    ASSERT_EQ(service->OpenInput(0, &queue), kMidiOk);
    service->StartInput();
    service->Connect();
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
    int thru = 0;
    int own = 0;
    for (const Message& m : b->Sent()) {
        ASSERT_TRUE(m == Message({0x91, 1, 2}) || m == Message({0xB2, 3, 4}));
        (m[0] == 0x91 ? thru : own) += 1;
    }
    EXPECT_EQ(own, kCount);
    // A forward finding its queue full is counted, never lost silently.
    EXPECT_EQ(static_cast<std::uint64_t>(thru) + service->DroppedMessages(), kCount + 0u);
    EXPECT_EQ(queue.Drain().size(), static_cast<std::size_t>(kCount));
}

// The platform's thread delivers without pause while the UI drains, clears, sends, and closes
// and reopens both devices: nothing crashes, races or arrives broken (the ThreadSanitizer build
// runs this too).
TEST_F(RoutedMidi, StressAForeignThreadDeliversWhileTheUiDrainsClearsAndCloses) {
    ASSERT_EQ(service->OpenOutput(2), kMidiOk);
    ASSERT_EQ(service->OpenInput(0, &queue), kMidiOk);
    service->StartInput();
    service->Connect();
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
        for (const Message& m : log->Sent()) {
            ASSERT_TRUE((m.size() == 3 && m[0] == 0x90 && m[2] == 64) ||
                        m == Message({0xB2, 3, 4}));
        }
    }
}

} // namespace

namespace {

// An output port whose sends wait at a gate the test opens: a slow platform send.
class SlowOutPort : public MidiOutPort {
public:
    bool Send(const std::uint8_t* data, std::size_t length) noexcept override {
        if (data[0] == 0xB0) {
            entered = true;
            while (!open.load()) {
                std::this_thread::yield();
            }
        }
        std::lock_guard lock(mutex);
        sent.emplace_back(data, data + length);
        return true;
    }
    std::string LastError() const override { return {}; }
    std::atomic<bool> entered{false};
    std::atomic<bool> open{false};
    std::mutex mutex;
    std::vector<Message> sent;
};

} // namespace

// A forward from the input's thread never waits for a slow send of the user-interface thread:
// it leaves its message, and the sender passes it on as soon as its own send is done.
TEST(OutputGate, AForwardNeverWaitsForASlowSendAndIsSentRightAfterIt) {
    SlowOutPort port;
    OutputGate gate(port);
    std::atomic<bool> uiSent{false};
    std::thread ui([&] {
        std::string error;
        gate.Send(Message{0xB0, 7, 100}.data(), 3, error);
        uiSent = true;
    });
    while (!port.entered) {
        std::this_thread::yield(); // until the UI's send has reached the port and waits there
    }
    const Message thru{0x90, 60, 1};
    gate.Forward(thru.data(), thru.size()); // returns at once although the port is taken
    EXPECT_FALSE(uiSent);
    port.open = true;
    ui.join();
    std::lock_guard lock(port.mutex);
    EXPECT_EQ(port.sent, (std::vector<Message>{{0xB0, 7, 100}, {0x90, 60, 1}}));
    EXPECT_EQ(gate.Dropped(), 0u);
}
