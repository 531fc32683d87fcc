#include <gtest/gtest.h>
#include <thread>

#include "midi/MidiInputQueue.h"
#include "midi/RoutedMidiService.h"

namespace {

using Message = std::vector<std::uint8_t>;

// What a fake back end's ports did, shared with the test after the service took the back end.
struct PortLog {
    std::mutex mutex;
    std::vector<Message> sent;
    MidiBytesHandler handler; // the open input's handler; the test calls it as the platform would
    std::string openError;    // non-empty: every open fails with this text
    std::string sendError;    // non-empty: every send fails with this text

    std::vector<Message> Sent() {
        std::lock_guard lock(mutex);
        return sent;
    }
};

class FakeOutPort : public MidiOutPort {
public:
    explicit FakeOutPort(std::shared_ptr<PortLog> log) : m_log(std::move(log)) {}
    bool Send(const std::uint8_t* data, std::size_t length, std::string& error) override {
        std::lock_guard lock(m_log->mutex);
        if (!m_log->sendError.empty()) {
            error = m_log->sendError;
            return false;
        }
        m_log->sent.emplace_back(data, data + length);
        return true;
    }

private:
    std::shared_ptr<PortLog> m_log;
};

class FakeInPort : public MidiInPort {
public:
    explicit FakeInPort(std::shared_ptr<PortLog> log) : m_log(std::move(log)) {}
    ~FakeInPort() override { m_log->handler = nullptr; }

private:
    std::shared_ptr<PortLog> m_log;
};

class FakeBackend : public MidiPortBackend {
public:
    FakeBackend(std::vector<std::string> outs, std::vector<std::string> ins,
                std::shared_ptr<PortLog> log)
        : m_outs(std::move(outs)), m_ins(std::move(ins)), m_log(std::move(log)) {}
    std::vector<std::string> OutputPorts() override { return m_outs; }
    std::vector<std::string> InputPorts() override { return m_ins; }
    std::unique_ptr<MidiOutPort> OpenOutput(int, std::string& error) override {
        if (!m_log->openError.empty()) {
            error = m_log->openError;
            return nullptr;
        }
        return std::make_unique<FakeOutPort>(m_log);
    }
    std::unique_ptr<MidiInPort> OpenInput(int, MidiBytesHandler handler,
                                          std::string& error) override {
        if (!m_log->openError.empty()) {
            error = m_log->openError;
            return nullptr;
        }
        m_log->handler = std::move(handler);
        return std::make_unique<FakeInPort>(m_log);
    }

private:
    std::vector<std::string> m_outs;
    std::vector<std::string> m_ins;
    std::shared_ptr<PortLog> m_log;
};

std::vector<std::uint32_t> Words(const std::vector<MidiInputEvent>& events) {
    std::vector<std::uint32_t> words;
    for (const MidiInputEvent& e : events) {
        words.push_back(e.word);
    }
    return words;
}

// Calls the input handler on a thread of its own, as the platform does.
void ArriveOnPlatformThread(PortLog& log, Message message) {
    std::thread([&log, message] { log.handler(message.data(), message.size()); }).join();
}

class RoutedMidi : public ::testing::Test {
protected:
    RoutedMidi() {
        std::vector<std::unique_ptr<MidiPortBackend>> backends;
        backends.push_back(std::make_unique<FakeBackend>(
            std::vector<std::string>{"A out 1", "A out 2"}, std::vector<std::string>{"A in"}, a));
        backends.push_back(std::make_unique<FakeBackend>(
            std::vector<std::string>{"B out"}, std::vector<std::string>{"B in 1", "B in 2"}, b));
        service = std::make_unique<RoutedMidiService>(std::move(backends));
    }
    static constexpr int kLoopbackOut = 3;
    static constexpr int kLoopbackIn = 3;

    std::shared_ptr<PortLog> a = std::make_shared<PortLog>();
    std::shared_ptr<PortLog> b = std::make_shared<PortLog>();
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

    service->Disconnect();
    ArriveOnPlatformThread(*a, {0xC2, 6});
    EXPECT_EQ(b->Sent().size(), 1u);
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

TEST_F(RoutedMidi, ResetSilencesAllSixteenChannels) {
    EXPECT_EQ(service->ResetOutput(), kMidiErrorInvalidHandle);
    ASSERT_EQ(service->OpenOutput(0), kMidiOk);
    EXPECT_EQ(service->ResetOutput(), kMidiOk);
    std::vector<Message> expected;
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const auto status = static_cast<std::uint8_t>(0xB0 | channel);
        expected.push_back({status, 120, 0});
        expected.push_back({status, 123, 0});
    }
    EXPECT_EQ(a->Sent(), expected);
}

TEST_F(RoutedMidi, ShortMessagesCarryTheWireLengthOfTheirStatus) {
    // 0xF5 is the engine's stop signal: it arrives whole.
    for (const auto& [status, length] :
         std::vector<std::pair<std::uint8_t, std::size_t>>{{0x80, 3},
                                                           {0xBF, 3},
                                                           {0xC0, 2},
                                                           {0xDF, 2},
                                                           {0xE0, 3},
                                                           {0xF1, 2},
                                                           {0xF2, 3},
                                                           {0xF3, 2},
                                                           {0xF5, 3},
                                                           {0xF8, 1},
                                                           {0xFF, 1}}) {
        EXPECT_EQ(ShortMessageLength(status), length) << int{status};
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
    a->sendError = "port went away";
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
        const std::uint8_t message[3] = {0x91, 1, 2};
        for (int i = 0; i < kCount; ++i) {
            a->handler(message, 3);
        }
    });
    for (int i = 0; i < kCount; ++i) {
        service->SendShort(0x000403B2);
        if (i % 500 == 0) {
            service->StartInput(); // a re-open restarts the running input
        }
    }
    input.join();
    const std::vector<Message> sent = b->Sent();
    ASSERT_EQ(sent.size(), 2u * kCount);
    int thru = 0;
    for (const Message& m : sent) {
        ASSERT_TRUE(m == Message({0x91, 1, 2}) || m == Message({0xB2, 3, 4}));
        thru += m[0] == 0x91;
    }
    EXPECT_EQ(thru, kCount);
    EXPECT_EQ(queue.Drain().size(), static_cast<std::size_t>(kCount));
}

} // namespace
