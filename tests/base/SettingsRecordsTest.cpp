#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>

#include "base/ByteCodec.h"
#include "base/SettingsRecords.h"

namespace {

std::string Hex(const Bytes& bytes, std::size_t from = 0, std::size_t count = std::string::npos) {
    std::string text;
    for (std::size_t i = from; i < bytes.size() && i - from < count; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i == from ? "%02X" : " %02X", bytes[i]);
        text += byte;
    }
    return text;
}

WindowPlacement SamplePlacement() {
    return {44, 2, 3, -1, -1, 4, 5, 100, 200, 740, 680};
}

constexpr const char* kSamplePlacementHex = "2C 00 00 00 02 00 00 00 03 00 00 00 FF FF FF FF "
                                            "FF FF FF FF 04 00 00 00 05 00 00 00 64 00 00 00 "
                                            "C8 00 00 00 E4 02 00 00 A8 02 00 00";

} // namespace

TEST(SettingsRecords, GlobalIsFiveLittleEndianIntegers) {
    EXPECT_EQ(Hex(EncodeGlobal({})), "00 00 00 00 00 00 00 00 01 00 00 00 01 00 00 00 00 08 00 00");
    const Bytes stored = EncodeGlobal({1, 1, 0, 10000, 0});
    EXPECT_EQ(Hex(stored), "01 00 00 00 01 00 00 00 00 00 00 00 10 27 00 00 00 00 00 00");
    EXPECT_EQ(DecodeGlobal(stored), (GlobalRecord{1, 1, 0, 10000, 0}));
}

TEST(SettingsRecords, HelpIsTwoZeroPaddedPathsOf260) {
    HelpRecord help;
    SetText(help.browser, "xdg-open");
    SetText(help.helpFile, std::string(300, 'h')); // cut so that its terminator fits
    const Bytes bytes = EncodeHelp(help);
    ASSERT_EQ(bytes.size(), 520u);
    EXPECT_EQ(Hex(bytes, 0, 10), "78 64 67 2D 6F 70 65 6E 00 00");
    EXPECT_EQ(Hex(bytes, 259, 2), "00 68");
    EXPECT_EQ(Hex(bytes, 518), "68 00");
    EXPECT_EQ(DecodeHelp(bytes), help);
    EXPECT_EQ(TextOf(DecodeHelp(Bytes(520, 'x'))->helpFile), std::string(259, 'x'));
}

TEST(SettingsRecords, EditorPrefsIsTheSixtyByteFontThenTheFlag) {
    EditorPrefsRecord prefs;
    prefs.font.height = -13;
    prefs.font.weight = 700;
    prefs.font.italic = 1;
    prefs.font.charSet = 0xFF;
    prefs.font.pitchAndFamily = 0x31;
    SetText(prefs.font.faceName, "Monospace");
    prefs.saveScriptsBeforeRun = 0;
    const Bytes bytes = EncodeEditorPrefs(prefs);
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(Hex(bytes, 0, 28), "F3 FF FF FF 00 00 00 00 00 00 00 00 00 00 00 00 BC 02 00 00 "
                                 "01 00 00 FF 00 00 00 31");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[28])), "Monospace");
    EXPECT_EQ(Hex(bytes, 37, 23), Hex(Bytes(23)));
    EXPECT_EQ(Hex(bytes, 60), "00 00 00 00");
    EXPECT_EQ(DecodeEditorPrefs(bytes), prefs);
}

TEST(SettingsRecords, WindowRecordsArePlacementThenTheirIntegers) {
    const FrameWindowRecord frame{SamplePlacement(), 1};
    EXPECT_EQ(Hex(EncodeFrameWindow(frame)), std::string(kSamplePlacementHex) + " 01 00 00 00");
    EXPECT_EQ(DecodeFrameWindow(EncodeFrameWindow(frame))->placement, SamplePlacement());

    EXPECT_EQ(Hex(EncodeBars({1, -1})), "01 00 00 00 FF FF FF FF");

    const ToolWindowRecord tool{SamplePlacement(), 1, 1};
    EXPECT_EQ(Hex(EncodeToolWindow(tool, false)),
              std::string(kSamplePlacementHex) + " 01 00 00 00");
    EXPECT_EQ(Hex(EncodeToolWindow(tool, true)),
              std::string(kSamplePlacementHex) + " 01 00 00 00 01 00 00 00");
    EXPECT_EQ(DecodeToolWindow(EncodeToolWindow(tool, true), true)->filterActiveSensing, 1);

    EXPECT_EQ(Hex(EncodeInt32(-1)), "FF FF FF FF");
    EXPECT_EQ(DecodeToggle(EncodeInt32(-1)), -1);
}

TEST(SettingsRecords, DecodersRefuseAWrongSizeOrAnUnusableField) {
    Bytes longer = EncodeGlobal({});
    longer.push_back(0);
    EXPECT_FALSE(DecodeGlobal(longer));
    EXPECT_FALSE(DecodeGlobal(EncodeGlobal({0, 0, 1, 0, 2048})));     // delay 0
    EXPECT_FALSE(DecodeGlobal(EncodeGlobal({0, 0, 1, 10001, 2048}))); // delay too long
    EXPECT_FALSE(DecodeGlobal(EncodeGlobal({0, 0, 1, 1, 7})));        // no such look
    EXPECT_FALSE(DecodeGlobal(EncodeGlobal({2, 0, 1, 1, 2048})));     // neither flag value
    EXPECT_FALSE(DecodeHelp(Bytes(519)));
    EXPECT_FALSE(DecodeEditorPrefs(Bytes(60)));
    EditorPrefsRecord prefs;
    prefs.saveScriptsBeforeRun = 5;
    EXPECT_FALSE(DecodeEditorPrefs(EncodeEditorPrefs(prefs)));
    EXPECT_FALSE(DecodeFrameWindow(EncodeFrameWindow({SamplePlacement(), 0})));
    EXPECT_FALSE(DecodeBars(EncodeBars({1, 0})));
    EXPECT_FALSE(DecodeToolWindow(EncodeToolWindow({SamplePlacement(), 1, 0}, true), false));
    EXPECT_FALSE(DecodeToolWindow(EncodeToolWindow({SamplePlacement(), 2, 0}, false), false));
    EXPECT_FALSE(DecodeToggle(EncodeInt32(0)) || DecodeToggle(EncodeInt32(2)) ||
                 DecodeToggle(Bytes(8)))
        << "a toggle is 1 or -1, nothing else";
    WindowPlacement shortRecord = SamplePlacement(), badShow = SamplePlacement();
    shortRecord.length = 40; // not the platform's placement record
    badShow.showCmd = 12;
    EXPECT_FALSE(DecodeFrameWindow(EncodeFrameWindow({shortRecord, 1})));
    EXPECT_FALSE(DecodeToolWindow(EncodeToolWindow({badShow, 1, 0}, false), false));
}
