#include "ProjectTestSupport.h"

#include <tuple>

#include "fakes/FakeTemplateLibrary.h"
#include "project/NewProject.h"
#include "project/TemplateTable.h"
#include "project/Templates.h"

namespace {

constexpr const char* kInvalid = "Error: invalid project file!";

class NewProjectTest : public ProjectTest {
protected:
    // Template 3: four sliders, two snapshots, no magic, a text with bytes after its end, a sample.
    void SetUp() override {
        ProjectTest::SetUp();
        g_templates[3] = TemplateEntry{};
        SetText(g_templates[3].projectName, "Voices.vtp");
        SetText(g_templates[3].script1Name, "Voices.csd");
        g_templates[3].needsSample = 1;
        ExpectedBytes image = ExpectedNewProject("Voices.vtp", 4, 2);
        image.Text(0, "not the magic");
        image.I32(628, 1);
        library.entries["Project/Voices.vtp"] = image.bytes;
        library.Put("Text/Voices.csd", std::string_view("<CsoundSynthesizer>\0junk", 24));
        library.Put("Wave/Voice.wav", "RIFF....WAVE");
    }
    FakeTemplateLibrary library;
};

TEST_F(NewProjectTest, PanelsKeepToTheirKindsLimitAndFourteenBitOnesPairControllers) {
    g_newPanelType = kNewPanelFourteenBit;
    g_sliderCount = 40;
    CancelNewProject(); // back to the committed count and kind
    EXPECT_EQ(std::pair(g_sliderCount, g_newPanelType), std::pair(16, kNewPanelSevenBit));

    // Past 120 7-bit or 56 14-bit sliders the pairing reaches controllers 120..127: No refuses.
    EXPECT_EQ(AcceptNewProject(kNewPanelSevenBit, "120"), NewProjectChoice::PanelBuilt);
    EXPECT_EQ(AcceptNewProject(kNewPanelFourteenBit, "56"), NewProjectChoice::PanelBuilt);
    EXPECT_TRUE(ui.messages.empty());
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
    EXPECT_EQ(AcceptNewProject(kNewPanelSevenBit, "121"), NewProjectChoice::Refused);
    EXPECT_EQ(g_sliderCount, 56);
    EXPECT_EQ(AcceptNewProject(kNewPanelSevenBit, "128"), NewProjectChoice::PanelBuilt);
    ASSERT_EQ(AcceptNewProject(kNewPanelFourteenBit, "64"), NewProjectChoice::PanelBuilt);
    const SliderRecord& last = g_sliders[63];
    EXPECT_EQ(std::tuple(last.type, last.controller1, last.controller2),
              std::tuple(kFourteenBitType, 63, 127));
    ASSERT_EQ(ui.MessageTexts().size(), 3u);
    EXPECT_NE(ui.MessageTexts()[0].find("controllers 120 to 127"), std::string::npos);
    ui.messages.clear();
    // "kind count" rows: 0 is the 7-bit kind, 1 the 14-bit one.
    for (const char* row : {"1 65", "0 129", "0 0", "1 0", "0 abc", "1 -3", "0 99999999999"}) {
        EXPECT_EQ(AcceptNewProject(row[0] - '0', row + 2), NewProjectChoice::Refused) << row;
    }
    EXPECT_EQ(ui.MessageTexts(), Lines(7, "Warning!\r\nYou can have no more than 128 7-bits "
                                          "sliders\r\nand no more than 64 14-bits sliders "
                                          "simultaneously."));
    EXPECT_EQ(g_sliderCount, 64);
}

TEST_F(NewProjectTest, ATemplateIsTakenWithItsTextAndSampleAndWithoutAMagicTest) {
    ASSERT_EQ(AcceptNewProject(kNewPanelTemplate, "500"), NewProjectChoice::ChooseTemplate);
    ASSERT_TRUE(CheckTemplateLibraryVersion(library));
    AcceptTemplate(library, 3);
    EXPECT_TRUE(ui.messages.empty());
    // remembered template, sliders, snapshots, the next snapshot's number, a gesture corner
    EXPECT_EQ(std::tuple(g_rememberedTemplate, g_sliderCount, g_snapshotCount,
                         g_snapshotNameCounter, g_gestureSnapshots[0]),
              std::tuple(3, 4, 2, 3, 1));
    EXPECT_EQ(g_scriptTexts, (std::array<std::string, 2>{"<CsoundSynthesizer>", ""}));
    EXPECT_EQ(g_scriptTextsSaved, g_scriptTexts);
    EXPECT_EQ(files.files["Voice.wav"], library.entries["Wave/Voice.wav"]);
    FinishNewProject();
    EXPECT_EQ(std::pair(TextOf(g_projectName), g_projectOpen),
              std::pair(std::string_view("Project1.vtp"), 1));
}

TEST_F(NewProjectTest, AnUnusableTemplateIsRefusedAndGivesASevenBitPanel) {
    const auto refused = [this](auto damage, const char* countText) {
        Restart();
        damage();
        AcceptNewProject(kNewPanelTemplate, countText);
        AcceptTemplate(library, 3);
        return ui.MessageTexts() == Lines{kInvalid} && g_snapshotCount == 0 &&
               g_scriptTexts[0].empty() && files.files.empty() &&
               g_sliders[0].type == kSevenBitType && TextOf(g_sliders[0].name) == "Slider1";
    };
    auto& image = library.entries["Project/Voices.vtp"];
    EXPECT_TRUE(refused([this] { library.Put("Text/Voices.csd", std::string(65536, 'x')); }, "5"));
    EXPECT_EQ(g_sliderCount, 5);
    EXPECT_TRUE(refused([&image] { image.resize(image.size() - 1); }, "0"));
    EXPECT_EQ(g_sliderCount, 16); // a fallback count outside 1..128 uses 16
    EXPECT_TRUE(refused([this] { library.entries.erase("Text/Voices.csd"); }, "16"));
    EXPECT_TRUE(refused([&image] { image.resize(100); }, "16"));
}

TEST_F(NewProjectTest, TheLongestTextAnEmptyTextAndAnUnexportableSampleAreTaken) {
    library.Put("Text/Voices.csd", std::string(65535, 'x'));
    EXPECT_EQ(LoadTemplate(library, 3), 1);
    EXPECT_EQ(g_scriptTexts[0].size(), 65535u);
    // Found by fuzzing: an entry of no bytes (and no storage) was searched through a null pointer.
    library.entries["Text/Voices.csd"] = std::vector<std::uint8_t>();
    files.failCreate = true;
    EXPECT_EQ(LoadTemplate(library, 3), 1);
    EXPECT_EQ(g_scriptTexts[0], "");
    EXPECT_EQ(ui.MessageTexts(),
              Lines{"Error while exporting internal audio file. Use another file."});
}

TEST_F(NewProjectTest, AWrongLibraryVersionOrNoSelectionGivesASevenBitPanel) {
    library.version = "2";
    EXPECT_FALSE(CheckTemplateLibraryVersion(library));
    EXPECT_EQ(ui.MessageTexts(), Lines{"Error: wrong template library "
                                       "version.\r\nA 7 bits panel will be "
                                       "create."});
    AcceptNewProject(kNewPanelTemplate, "8");
    AcceptTemplate(library, std::nullopt);
    EXPECT_EQ(TextOf(g_sliders[g_sliderCount - 1].name), "Slider8");
    EXPECT_TRUE(files.files.empty());
    EXPECT_EQ(TemplateDescription(-1) + TemplateDescription(kTemplateCount), "");
}

} // namespace
