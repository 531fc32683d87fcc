#include <gtest/gtest.h>

#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "base/SettingsRecords.h"
#include "fakes/CoreServices.h"
#include "resources/Strings.h"
#include "tools/SendMidi.h"
#include "tools/ToolWindows.h"

namespace {

const std::string kStatusError = "Error: status byte must be enclosed between 128 and 255!";
const std::string kDataError = "Error: data bytes must be enclosed between 0 and 127!";

class SendMidi : public CoreServices {
protected:
    void SetUp() override {
        CoreServices::SetUp();
        OpenOutput();
    }
};

TEST_F(SendMidi, StartsOnNoteOnChannelOneWithMiddleCAndComesBackThereAfterAReset) {
    g_sendMidi.mode = kSendMidiUser;
    g_sendMidi.data[1] = 200;
    ResetAllState();
    EXPECT_EQ((std::array<int, 6>{g_sendMidi.mode, g_sendMidi.presetType, g_sendMidi.presetChannel,
                                  g_sendMidi.status, g_sendMidi.data[0], g_sendMidi.data[1]}),
              (std::array<int, 6>{kSendMidiPresets, 1, 0, 0x90, 60, 64}));
}

// Presets compose (type + 8) × 16 + channel; all three bytes go to the service, which puts on
// the wire what the status carries.
TEST_F(SendMidi, PresetsComposeTheStatusFromTypeAndChannel) {
    const std::tuple<int, int, const char*, const char*, const char*> rows[] = {
        {3, 2, "7", "100", "B2 07 64"}, {0, 0, "60", "0", "80 3C 00"},
        {6, 15, "0", "64", "EF 00 40"}, {1, 9, "127", "127", "99 7F 7F"},
        {4, 0, " 5 ", "99", "C0 05"},   {5, 3, "33", "0", "D3 21"},
    };
    for (const auto& [type, channel, data1, data2, sent] : rows) {
        g_sendMidi.presetType = type;
        g_sendMidi.presetChannel = channel;
        // The status edit is disabled in this mode: what it holds does not count.
        EXPECT_TRUE(SendMidiMessage({"12", data1, data2}).sent);
        EXPECT_EQ(Sent(), std::vector<std::string>{sent}) << type << " " << channel;
        EXPECT_EQ(g_sendMidi.status, ComposeStatus(type, channel));
    }
    EXPECT_EQ(g_midiDevices.shortMessage, (std::array<std::uint8_t, 4>{0xD3, 33, 0, 0}));
    EXPECT_TRUE(ui.messages.empty());
}

// Each refusal names its field, focuses it and sends nothing; the numbers typed are kept.
TEST_F(SendMidi, ARefusedStatusOrDataByteIsShownFocusedAndNothingIsSent) {
    using F = SendMidiField;
    const std::tuple<int, const char*, const char*, const char*, F, const std::string*> rows[] = {
        {kSendMidiUser, "127", "1", "2", F::Status, &kStatusError},
        {kSendMidiUser, "256", "1", "2", F::Status, &kStatusError},
        {kSendMidiUser, "-144", "1", "2", F::Status, &kStatusError},
        {kSendMidiUser, "0x90", "1", "2", F::Status, &kStatusError},
        {kSendMidiUser, "4294967440", "1", "2", F::Status, &kStatusError},
        {kSendMidiPresets, "", "128", "2", F::Data1, &kDataError},
        {kSendMidiPresets, "", "abc", "200", F::Data1, &kDataError},
        {kSendMidiUser, "176", "7", "200", F::Data2, &kDataError},
        {kSendMidiUser, "176", "7", "4294967296", F::Data2, &kDataError},
    };
    for (const auto& [mode, status, data1, data2, focus, message] : rows) {
        SCOPED_TRACE(std::string(status) + " " + data1 + " " + data2);
        g_sendMidi.mode = mode;
        ui.messages.clear();
        const SendMidiOutcome outcome = SendMidiMessage({status, data1, data2});
        EXPECT_FALSE(outcome.sent);
        EXPECT_EQ(outcome.focus, focus);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, *message);
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(ui.messages[0].caption.empty()); // the main window's title
    }
    EXPECT_TRUE(Sent().empty());
    // Data 1 taken, data 2 kept as typed although refused; what is no number leaves it be.
    EXPECT_EQ(std::tuple(g_sendMidi.data[0], g_sendMidi.data[1], g_sendMidi.status),
              std::tuple(7, 200, 176));

    // User mode takes the typed status whatever it is, a system message included.
    ui.messages.clear();
    EXPECT_TRUE(SendMidiMessage({"248", "1", "2"}).sent);
    EXPECT_EQ(Sent(), std::vector<std::string>{"F8"});
    EXPECT_TRUE(SendMidiMessage({"0255", "0", "0"}).sent);
    EXPECT_EQ(Sent(), std::vector<std::string>{"FF"});
    EXPECT_TRUE(ui.messages.empty());
}

// A refused number left in the edit (200, -5): the bar starts from where it can stand.
TEST_F(SendMidi, TheScrollBarStepsStayWithinTheDataRange) {
    using A = ScrollAction;
    const std::tuple<int, ScrollAction, int, std::optional<int>> rows[] = {
        {10, A::LineLeft, 0, 9},       {0, A::LineLeft, 0, 0},      {126, A::LineRight, 0, 127},
        {127, A::LineRight, 0, 127},   {16, A::PageLeft, 0, 0},     {17, A::PageLeft, 0, 1},
        {111, A::PageRight, 0, 127},   {110, A::PageRight, 0, 126}, {5, A::ThumbTrack, 77, 77},
        {5, A::ThumbPosition, 90, 90}, {64, A::LeftEnd, 0, 0},      {64, A::RightEnd, 0, 127},
        {64, A::EndScroll, 3, {}},     {200, A::LineLeft, 0, 126},  {-5, A::LineRight, 0, 1},
    };
    for (const auto& [value, action, thumb, expected] : rows) {
        EXPECT_EQ(ScrollDataValue(value, action, thumb), expected)
            << value << " " << static_cast<int>(action);
    }
}

// The user's close leaves the record with the open flag 0, and for the MIDIScope its filter; a
// reopening in the same run comes back to the placement.
TEST_F(SendMidi, AClosedToolWindowStoresItsPlacementAndTheOpenFlagZero) {
    const WindowPlacement placement{44, 0, 1, -1, -1, -1, -1, 900, 120, 1180, 400};
    g_midiScopeFilterActiveSensing = 1;
    for (const auto& [tool, value] : {std::pair{kToolMidiSend, kValueMidiSend},
                                      std::pair{kToolGlobalMemory, kValueGlobalMemory},
                                      std::pair{kToolMidiScope, kValueMidiScope}}) {
        g_toolWindows[tool].openAtExit = 1;
        StoreClosedToolWindow(tool, placement);
        EXPECT_EQ((store.values[{kWindowsKey, value}]),
                  EncodeToolWindow({placement, 0, 1}, tool == kToolMidiScope))
            << value;
        EXPECT_EQ(g_toolWindows[tool].openAtExit, 0);
        EXPECT_TRUE(g_toolWindows[tool].placementValid);
        EXPECT_EQ(g_toolWindows[tool].placement, placement);
    }
}

} // namespace
