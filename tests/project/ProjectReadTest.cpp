#include "ProjectTestSupport.h"

#include <cmath>
#include <functional>

#include "panel/PanelState.h"

namespace {

struct Damage {
    const char* what;
    std::function<void(ExpectedBytes&)> damage;
    const char* message;
};

constexpr const char* kInvalid = "Error: invalid project file!";
constexpr const char* kReadError = "Error while reading the selected file!";
constexpr std::size_t kSlider0 = 1636;
constexpr std::size_t kSlider1 = 1636 + 544;

const std::vector<Damage>& Damages() {
    static const std::vector<Damage> damages = {
        {"magic differing in one letter's case", [](ExpectedBytes& e) { e.Text(1, "v"); },
         kInvalid},
        {"no slider", [](ExpectedBytes& e) { e.I32(600, 0); }, kInvalid},
        {"129 sliders", [](ExpectedBytes& e) { e.I32(600, 129); }, kInvalid},
        {"a negative slider count", [](ExpectedBytes& e) { e.I32(600, -1); }, kInvalid},
        {"a negative snapshot count", [](ExpectedBytes& e) { e.I32(604, -1); }, kInvalid},
        {"32768 snapshots", [](ExpectedBytes& e) { e.I32(604, 32768); }, kInvalid},
        {"a scroll step of 0", [](ExpectedBytes& e) { e.I32(612, 0); }, kInvalid},
        {"a scroll step of 31", [](ExpectedBytes& e) { e.I32(612, 31); }, kInvalid},
        {"audio format 16", [](ExpectedBytes& e) { e.I32(1424, 16); }, kInvalid},
        {"audio format -1", [](ExpectedBytes& e) { e.I32(1424, -1); }, kInvalid},
        {"slider type 2", [](ExpectedBytes& e) { e.I32(kSlider1 + 500, 2); }, kInvalid},
        {"7-bit value 128", [](ExpectedBytes& e) { e.I32(kSlider1 + 504, 128); }, kInvalid},
        {"negative value", [](ExpectedBytes& e) { e.I32(kSlider0 + 504, -1); }, kInvalid},
        {"14-bit value 16384",
         [](ExpectedBytes& e) {
             e.I32(kSlider1 + 500, 0);
             e.I32(kSlider1 + 504, 16384);
         },
         kInvalid},
        {"channel 16", [](ExpectedBytes& e) { e.I32(kSlider1 + 520, 16); }, kInvalid},
        {"controller 128", [](ExpectedBytes& e) { e.I32(kSlider1 + 524, 128); }, kInvalid},
        {"second controller -1", [](ExpectedBytes& e) { e.I32(kSlider1 + 528, -1); }, kInvalid},
        {"curve 5", [](ExpectedBytes& e) { e.I32(kSlider1 + 536, 5); }, kInvalid},
        {"a bound that is not a number",
         [](ExpectedBytes& e) { e.F32(kSlider1 + 516, std::nanf("")); }, kInvalid},
        {"one snapshot more than the file holds", [](ExpectedBytes& e) { e.I32(604, 3); },
         kReadError},
        {"a header of 1635 bytes", [](ExpectedBytes& e) { e.bytes.resize(1635); }, kReadError},
        {"a last record one byte short", [](ExpectedBytes& e) { e.bytes.pop_back(); }, kReadError},
    };
    return damages;
}

class ProjectReadTest : public ProjectTest {
protected:
    // The state a refused read must leave alone, as a previous project left it.
    void SetUp() override {
        ProjectTest::SetUp();
        g_sliderCount = 5;
        SetText(g_sliders[0].name, "Before");
        SetText(g_slidersSaved[0].name, "Before");
        SetText(g_snapshots[1].name, "Kept");
        SetText(g_projectHeader.projectName, "Old.vtp");
    }
    void ExpectNothingTaken() {
        EXPECT_EQ(g_sliderCount, 5);
        EXPECT_EQ(TextOf(g_sliders[0].name), "Before");
        EXPECT_EQ(TextOf(g_slidersSaved[0].name), "Before");
        EXPECT_EQ(TextOf(g_snapshots[1].name), "Kept");
        EXPECT_EQ(g_snapshotsSaved.AllocatedSlots(), 0u);
        EXPECT_EQ(TextOf(g_projectHeader.projectName), "Old.vtp");
        EXPECT_EQ(g_projectOpen, 0);
        EXPECT_EQ(files.reads.size(), 1u); // the scripts were not loaded
    }
};

TEST_F(ProjectReadTest, EveryUnusableFileIsRefusedWithNothingTaken) {
    for (const Damage& d : Damages()) {
        SCOPED_TRACE(d.what);
        Restart();
        ExpectedBytes e = ExpectedNewProject("p.vtp", 2, 2);
        d.damage(e);
        EXPECT_EQ(ReadBytes("/p.vtp", e.bytes), 0);
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{d.message});
        ExpectNothingTaken();
    }
}

TEST_F(ProjectReadTest, AFileThatCannotBeOpenedOrReadIsReported) {
    files.unopenable.insert("/p.vtp");
    EXPECT_EQ(ReadBytes("/p.vtp", ExpectedNewProject("p.vtp", 2, 0).bytes), 0);
    files.unopenable.clear();
    files.unreadable.insert("/p.vtp");
    EXPECT_EQ(ReadBytes("/p.vtp", ExpectedNewProject("p.vtp", 2, 0).bytes), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"Error while opening the selected file!", kReadError}));
    EXPECT_EQ(g_sliderCount, 5);
    EXPECT_EQ(g_projectOpen, 0);
}

TEST_F(ProjectReadTest, GestureCornersBeyondTheSnapshotsAreLoweredIntoRange) {
    ExpectedBytes e = ExpectedNewProject("p.vtp", 2, 2);
    e.I32(628, 5);
    e.I32(632, -2);
    e.I32(636, 1);
    e.I32(640, 99);
    ASSERT_EQ(ReadBytes("/p.vtp", e.bytes), 1);
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{1, 0, 1, 1}));
    DetectProjectChanges(); // the lowered corners are what the project holds
    EXPECT_EQ(g_projectDirty, 0);
}

TEST_F(ProjectReadTest, TheLargestProjectIsTakenWhole) {
    ExpectedBytes e = ExpectedNewProject("big.vtp", 128, 32767);
    const std::size_t last = 1636 + 128 * 544 + 32766 * 1012;
    e.Text(last, "Last");
    e.I32(last + 500 + 4 * 127, 16383);
    ASSERT_EQ(ReadBytes("/big.vtp", e.bytes), 1);
    EXPECT_EQ(g_sliderCount, 128);
    EXPECT_EQ(g_snapshotCount, 32767);
    EXPECT_EQ(TextOf(g_snapshots[32767].name), "Last");
    EXPECT_EQ(g_snapshotsSaved[32767].values[127], 16383);
}

} // namespace
