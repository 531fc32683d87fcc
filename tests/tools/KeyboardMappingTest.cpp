#include <string>
#include <utility>
#include <vector>

#include "app/FrameFixture.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "tools/KeyboardMapping.h"

namespace {

constexpr int kQ = 0x10;
constexpr int kW = 0x11;
constexpr int kZ = 0x2C;
constexpr KeyModifiers kShift{true, false};
constexpr KeyModifiers kCtrl{false, true};

// The frame after its creation with the mapping installed, switched on, and the output open.
class KeyMapping : public CreatedFrame {
protected:
    void SetUp() override {
        CreatedFrame::SetUp();
        RegisterKeyboardMapping([this] { return heldNow; });
        OpenOutput();
        DispatchCommand(kCmdKeyboardMapping);
        ui.statusTexts.clear();
    }

    void Down(int scanCode, KeyModifiers modifiers = {}, bool autoRepeat = false) {
        g_frameHooks.keyboardMappingKey({true, scanCode, autoRepeat, modifiers});
    }
    void Up(int scanCode, KeyModifiers modifiers = {}) {
        g_frameHooks.keyboardMappingKey({false, scanCode, false, modifiers});
    }
    std::string Feedback() const {
        const std::vector<std::string> texts = StatusOf(4);
        return texts.empty() ? "(none)" : texts.back();
    }
    using Texts = std::vector<std::string>;

    KeyModifiers heldNow; // what the program would find held outside a key event
};

// Shift raises an octave, Ctrl lowers one, both cancel; the note and its name follow the shift.
TEST_F(KeyMapping, NoteKeysPlayTheirNoteShiftedByTheModifiers) {
    const struct {
        int scanCode;
        KeyModifiers modifiers;
        const char* noteOn;
        const char* shown;
    } rows[] = {
        {kQ, {}, "90 3C 40", "C5"},    {kQ, kShift, "90 48 40", "C6"},
        {kZ, kCtrl, "90 21 40", "A2"}, {kQ, {true, true}, "90 3C 40", "C5"},
        {0x0D, {}, "90 4E 40", "F#6"}, {0x1F, {}, "90 2E 40", "A#3"},
    };
    for (const auto& row : rows) {
        Down(row.scanCode, row.modifiers);
        EXPECT_EQ(Sent(), Texts{row.noteOn}) << row.shown;
        EXPECT_EQ(Feedback(), row.shown);
        Up(row.scanCode, row.modifiers);
        std::string noteOff = row.noteOn;
        noteOff[0] = '8';
        EXPECT_EQ(Sent(), Texts{noteOff}) << row.shown;
    }
}

TEST_F(KeyMapping, TheTableMapsExactlyItsThirtyEightKeys) {
    const std::vector<int> notes = {61, 63, 66, 68, 70, 73, 75, 78, 60, 62, 64, 65, 67,
                                    69, 71, 72, 74, 76, 77, 79, 44, 46, 49, 51, 54, 56,
                                    58, 61, 45, 47, 48, 50, 52, 53, 55, 57, 59, 60};
    std::vector<int> played;
    for (int code = -1; code < 0x100; ++code) {
        Down(code);
        Up(code);
        const Texts sent = Sent();
        if (!sent.empty()) {
            ASSERT_EQ(sent.size(), 2u) << code;
            played.push_back(std::stoi(sent[0].substr(3, 2), nullptr, 16));
        }
    }
    EXPECT_EQ(played, notes);
}

// A repeat of a key pressed before the mapping came plays nothing, and neither does its release.
TEST_F(KeyMapping, AutoRepeatAndStrayKeyUpsPlayNothing) {
    Down(kQ);
    Down(kQ, {}, true);
    Down(kQ); // a repeat the platform left unmarked: the key is down already
    EXPECT_EQ(Sent(), Texts{"90 3C 40"});
    Up(kQ);
    EXPECT_EQ(Sent(), Texts{"80 3C 40"});
    Down(kW, {}, true);
    Up(kW);
    Up(kQ);
    EXPECT_TRUE(Sent().empty());
}

// The adjustments stop at their bounds, repeat with the key, and go into the following notes.
TEST_F(KeyMapping, VelocityAndChannelKeysStopAtTheirBounds) {
    const auto hold = [this](int scanCode, int times) {
        for (int i = 0; i < times; ++i) {
            Down(scanCode, {}, i > 0);
        }
        return Feedback();
    };
    EXPECT_EQ(hold(kScanVelocityUp, 70), "V 127");
    Up(kScanVelocityUp); // a key-up changes nothing
    EXPECT_EQ(hold(kScanChannelUp, 20), "Ch 16");
    Down(kQ);
    Up(kQ);
    EXPECT_EQ(Sent(), (Texts{"9F 3C 7F", "8F 3C 7F"}));
    EXPECT_EQ(hold(kScanVelocityDown, 130), "V 0");
    EXPECT_EQ(hold(kScanChannelDown, 1), "Ch 15");
    EXPECT_EQ(hold(kScanChannelDown, 20), "Ch 1");
    EXPECT_TRUE(Sent().empty());
}

// The note of a key-up is computed afresh, and the note that sounds ends with it, on the channel
// its Note On went out on.
TEST_F(KeyMapping, ReleasingShiftFirstEndsTheUnshiftedNoteAndTheSoundingOne) {
    Down(kQ, kShift);
    Up(kQ);
    EXPECT_EQ(Sent(), (Texts{"90 48 40", "80 3C 40", "80 48 40"}));
    Down(kQ);
    Down(kScanChannelUp);
    Up(kQ);
    Down(kW);
    EXPECT_EQ(Sent(), (Texts{"90 3C 40", "80 3C 40", "91 3E 40"}));
}

// The notes end computed with the modifiers held then; the keys' later releases send nothing.
TEST_F(KeyMapping, HeldNotesEndWhenTheMappingGoesOffOrTheFocusGoes) {
    Down(kQ);
    Down(kZ, kShift);
    Down(kScanVelocityUp);
    EXPECT_EQ(Sent(), (Texts{"90 3C 40", "90 39 40"}));
    heldNow = kShift;
    g_frameHooks.keyboardMappingRelease();
    EXPECT_EQ(Sent(), (Texts{"80 48 41", "80 3C 41", "80 39 41"}));
    g_frameHooks.keyboardMappingRelease();
    Up(kQ);
    Up(kZ, kShift);
    EXPECT_TRUE(Sent().empty());

    Down(kW);
    EXPECT_EQ(Sent(), Texts{"90 3E 41"});
    heldNow = {};
    ui.statusTexts.clear();
    DispatchCommand(kCmdKeyboardMapping);
    EXPECT_EQ(Sent(), Texts{"80 3E 41"});
    EXPECT_EQ(StatusOf(3), Texts{""});
    EXPECT_EQ(StatusOf(4), Texts{""});
    Up(kW);
    Down(kQ);
    Up(kQ);
    EXPECT_TRUE(Sent().empty());

    DispatchCommand(kCmdKeyboardMapping); // back on: a new press plays again
    Down(kQ);
    EXPECT_EQ(Sent(), Texts{"90 3C 41"});
}

} // namespace
