#include "panel/PanelConfiguration.h"

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "panel/PanelTestFixture.h"
#include "project/ProjectState.h"
#include "scripts/ScriptStore.h"

namespace {

const char* const kStatusRange = "The MIDI status bytes must be enclosed between 128 and 255!";
const char* const kDataRange = "The MIDI data bytes must be enclosed between 0 an 127!";
const char* const kDeleteQuestion =
    "This operation will delete the selected slider. Do you wan to continue?";

using Bytes3 = std::array<std::uint8_t, 3>;

struct MessageCase {
    MessageFieldTexts fields;
    const char* refusal; // null: accepted
};

} // namespace

class PanelConfigurationTest : public PanelFixture {
protected:
    // Add new's edit, ending as the properties dialog's OK or Cancel would; notes what it saw.
    EditNewSlider Edit(bool accepted) {
        return [this, accepted](const std::string& name) {
            edited.push_back(name);
            editedInNewSliderMode = g_sliderPropsFromPanelProps == 1;
            return accepted;
        };
    }
    static PanelConfigFields FieldsOf(const PanelConfiguration& config) {
        const PanelConfigContents& shown = config.Contents();
        return {shown.messages, shown.scrollStepEntry, shown.script1,
                shown.script2,  shown.audioFile,       shown.audioFormat};
    }
    // A new default panel with the panel and project manager shown, nothing noted yet.
    void FreshPanelWithViews() {
        ResetAllState();
        MakePanel(16, false);
        m_panel.calls.clear();
        m_manager.rebuilds.clear();
        ui.commands.clear();
        AttachViews();
    }
    std::vector<std::string> edited;
    bool editedInNewSliderMode = false;
};

TEST_F(PanelConfigurationTest, ValidatePanelMessagesChecksStatusBytesBeforeDataBytes) {
    const MessageCase cases[] = {
        {{"127", "60", "64", "128", "60", "64"}, kStatusRange},
        {{"255", "0", "127", "128", "60", "64"}, nullptr},
        {{"144", "128", "64", "128", "60", "64"}, kDataRange},
        {{"abc", "60", "64", "128", "60", "64"}, kStatusRange},
        {{"144", "60", "64", "256", "60", "64"}, kStatusRange},
        {{"144", "12abc", "64", "128", "60", "64"}, kDataRange}, // no number, not taken as 12
        {{" 176 ", "+7", "0", "128", "60", "99999999999999999999"}, kDataRange},
        // Both kinds wrong: the status message, whatever the fields' order.
        {{"144", "200", "64", "300", "60", "64"}, kStatusRange},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.fields[0] + " " + c.fields[1] + " " + c.fields[3] + " " + c.fields[5]);
        ResetAllState();
        ui.messages.clear();
        EXPECT_EQ(ValidatePanelMessages(c.fields), c.refusal == nullptr);
        EXPECT_EQ(ui.MessageTexts(), c.refusal ? Lines{c.refusal} : Lines{});
        if (c.refusal) { // nothing stored
            EXPECT_EQ(std::pair(g_startMessage, g_stopMessage),
                      std::pair(Bytes3{0x90, 0x3C, 0x40}, Bytes3{0x80, 0x3C, 0x40}));
        }
    }
    EXPECT_TRUE(ValidatePanelMessages({" 176 ", "+7", "0", "191", "127", "1"}));
    EXPECT_EQ(g_startMessage, (Bytes3{176, 7, 0}));
    EXPECT_EQ(g_stopMessage, (Bytes3{191, 127, 1}));
}

TEST_F(PanelConfigurationTest, UpArrowsMoveStatusTowardOneTwentyEightAndDataTowardZero) {
    struct StepCase {
        const char* text;
        int field;
        bool up;
        const char* expected;
    };
    const StepCase cases[] = {
        {"129", kStartStatusField, true, "128"},  {"128", kStartStatusField, true, "128"},
        {"128", kStopStatusField, false, "129"},  {"255", kStopStatusField, false, "255"},
        {"1", kStartData1Field, true, "0"},       {"0", kStopData2Field, true, "0"},
        {"126", kStopData1Field, false, "127"},   {"127", kStartData2Field, false, "127"},
        {"abc", kStartStatusField, false, "128"}, {"300", kStopStatusField, true, "128"},
        {"-4", kStartData1Field, false, "0"},
    };
    for (const StepCase& c : cases) {
        EXPECT_EQ(StepMessageByte(c.text, c.field, c.up), c.expected)
            << c.text << " field " << c.field << (c.up ? " up" : " down");
    }
}

TEST_F(PanelConfigurationTest, OpeningShowsThePanelAndGreysTheCommandUntilTheEnd) {
    g_startMessage = {0xB2, 5, 6};
    g_scrollStep = 0; // a damaged project's step shows its nearest entry
    {
        PanelConfiguration config(PanelConfigOwner::MainWindow);
        EXPECT_EQ(ui.enabledCommands.back(), std::make_pair(int{kCmdPanelProperties}, false));
        EXPECT_EQ(config.Contents().messages,
                  (MessageFieldTexts{"178", "5", "6", "128", "60", "64"}));
        EXPECT_EQ(config.Contents().scrollStepEntry, 0);
        // Left without OK or Cancel, as when the program quits under it.
        config.ChooseControlStyle(true);
    }
    EXPECT_EQ(std::pair(g_panelControlStyle, g_panelPropsOpen), std::pair(0, 0));
    EXPECT_EQ(ui.enabledCommands.back(), std::make_pair(int{kCmdPanelProperties}, true));
}

TEST_F(PanelConfigurationTest, AddNewRespectsTheLimitAndInsertsAtTheSelectedEntry) {
    MakePanel(128, false);
    PanelConfiguration full(PanelConfigOwner::MainWindow);
    full.AddNew(5, Edit(true));
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Warning! You can't have more than 128 sliders!"});
    EXPECT_EQ(g_sliderCount, 128);
    EXPECT_TRUE(edited.empty());
    full.Cancel();

    MakePanel(127, false);
    PanelConfiguration config(PanelConfigOwner::MainWindow);
    config.AddNew(127, Edit(true)); // the empty last entry appends
    EXPECT_EQ(g_sliderCount, 128);
    EXPECT_EQ(edited, std::vector<std::string>{std::string(TextOf(Slider(127).name))});
    EXPECT_TRUE(editedInNewSliderMode);
    EXPECT_EQ(g_sliderPropsFromPanelProps, 0); // the mode ends with the edit
    EXPECT_EQ(config.Items()[127], TextOf(Slider(127).name));
    EXPECT_EQ(config.Selected(), 127);
    ui.answers = {MessageAnswer::Yes};
    config.Delete(3); // makes room again
    const std::string first(TextOf(Slider(0).name));
    config.AddNew(0, Edit(true)); // the first entry inserts before the first slider
    EXPECT_EQ(TextOf(Slider(1).name), first);
    EXPECT_EQ(std::pair(config.Items()[1], config.Selected()), std::pair(first, 0));
}

// The properties dialog finds its slider by name: a default name already taken is not reused.
TEST_F(PanelConfigurationTest, AddNewGivesTheNewSliderANameOfItsOwn) {
    AttachViews();
    SetText(Slider(5).name, "Slider17");
    PanelConfiguration config(PanelConfigOwner::MainWindow);
    config.AddNew(16, [](const std::string& name) {
        SliderPropsFields fields;
        if (!OpenSliderProps(name, fields)) {
            return false;
        }
        fields.name = "Tail";
        return AcceptSliderProps(fields) == 1;
    });
    EXPECT_EQ(TextOf(Slider(5).name), "Slider17");
    EXPECT_EQ(std::tuple(TextOf(Slider(16).name), config.Items()[16]), std::tuple("Tail", "Tail"));
    // Opened from the configuration, the properties dialog leaves the project manager alone.
    EXPECT_TRUE(m_manager.rebuilds.empty());
}

TEST_F(PanelConfigurationTest, DeleteAsksAndRefusesTheLastSliderAndTheEmptyEntry) {
    PanelConfiguration config(PanelConfigOwner::MainWindow);
    config.Delete(16); // the empty entry
    EXPECT_TRUE(ui.messages.empty());
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    config.Delete(2);
    EXPECT_EQ(g_sliderCount, 16);
    config.Delete(2);
    EXPECT_EQ(g_sliderCount, 15);
    EXPECT_EQ(TextOf(Slider(2).name), "Slider4");
    EXPECT_EQ(std::tuple(config.Items()[2], config.Selected()), std::tuple("Slider4", 0));
    ASSERT_EQ(ui.messages.size(), std::size_t{2});
    EXPECT_EQ(std::tuple(ui.messages[0].text, ui.messages[0].icon, ui.messages[0].buttons),
              std::tuple(kDeleteQuestion, MessageIcon::Warning, MessageButtons::YesNo));
    config.Cancel();

    MakePanel(1, false);
    PanelConfiguration one(PanelConfigOwner::MainWindow);
    one.Delete(0);
    EXPECT_EQ(ui.MessageTexts().back(), "Warning! You can't delete the last slider.");
    EXPECT_EQ(g_sliderCount, 1);
}

TEST_F(PanelConfigurationTest, OkCommitsAndCancelRestoresAndBothRefreshThePanel) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        FreshPanelWithViews();
        PanelConfiguration config(PanelConfigOwner::MainWindow);
        config.ChooseControlStyle(true);
        PanelConfigFields fields = FieldsOf(config);
        fields.messages = {"176", "7", "100", "128", "7", "0"};
        fields.scrollStepEntry = 3;
        fields.audioFile = "take.wav";
        fields.audioFormat = 6;
        if (ok) {
            EXPECT_TRUE(config.Ok(fields));
        } else {
            config.Cancel();
        }
        EXPECT_TRUE(config.Closed());
        EXPECT_EQ(std::pair(g_panelControlStyle, g_panelControlStyleCommitted),
                  std::pair(ok ? 1 : 0, ok ? 1 : 0));
        EXPECT_EQ(std::pair(g_startMessage, g_stopMessage),
                  ok ? std::pair(Bytes3{176, 7, 100}, Bytes3{128, 7, 0})
                     : std::pair(Bytes3{0x90, 0x3C, 0x40}, Bytes3{0x80, 0x3C, 0x40}));
        EXPECT_EQ(std::tuple(g_scrollStep, TextOf(g_audioOutputFile), g_audioFormatIndex),
                  ok ? std::tuple(4, "take.wav", 6) : std::tuple(8, "test.wav", 15));
        EXPECT_EQ(g_audioOutputFileCommitted, g_audioOutputFile);
        // The panel held in front while the project manager is rebuilt, then opened anew.
        EXPECT_EQ(m_panel.calls, (std::vector<std::string>{"front on", "front off", "close"}));
        EXPECT_EQ(m_manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::Panel});
        EXPECT_EQ(ui.commands, std::vector<int>{kCmdVirtualPanel});
        EXPECT_EQ(ui.enabledCommands.back(), std::make_pair(int{kCmdPanelProperties}, true));
        EXPECT_EQ(g_panelPropsOpen, 0);
    }
}

TEST_F(PanelConfigurationTest, ARefusedOkCommitsNothingAndKeepsTheDialogOpen) {
    PanelConfiguration config(PanelConfigOwner::MainWindow);
    config.ChooseControlStyle(true);
    PanelConfigFields fields = FieldsOf(config);
    fields.scrollStepEntry = 0;
    fields.messages[kStopData1Field] = "128";
    EXPECT_FALSE(config.Ok(fields));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kDataRange});

    // A path longer than its field is refused before any message byte is stored.
    ui.messages.clear();
    fields.messages = {"176", "7", "100", "128", "7", "0"};
    fields.audioFile = std::string(300, 'a') + ".wav";
    EXPECT_FALSE(config.Ok(fields));
    EXPECT_EQ(ui.messages.size(), std::size_t{1});
    EXPECT_NE(ui.messages[0].text, kDataRange);
    EXPECT_EQ(g_startMessage, (Bytes3{0x90, 0x3C, 0x40}));
    EXPECT_EQ(TextOf(g_audioOutputFile), "test.wav");

    EXPECT_FALSE(config.Closed());
    EXPECT_EQ(std::tuple(g_panelPropsOpen, g_panelControlStyleCommitted, g_scrollStep),
              std::tuple(1, 0, 8));
}

TEST_F(PanelConfigurationTest, BrowseTakesTheFileAtOnceAndCancelTakesItBack) {
    const ScriptPath script1 = g_scriptPaths[0];
    PanelConfiguration config(PanelConfigOwner::MainWindow);
    ui.chosenFiles = {"/music/pad.orc", "/music/out.wav"};
    std::string path;
    EXPECT_TRUE(config.Browse(kScript1Field, path));
    EXPECT_EQ(path, "/music/pad.orc");
    EXPECT_EQ(TextOf(g_scriptPaths[0]), "/music/pad.orc");
    EXPECT_TRUE(config.Browse(kAudioFileField, path));
    EXPECT_EQ(TextOf(g_audioOutputFile), "/music/out.wav");
    EXPECT_FALSE(config.Browse(kScript2Field, path)); // chooser cancelled
    EXPECT_EQ(ui.fileModes, (std::vector<int>{4, 6, 5}));
    config.Cancel();
    EXPECT_EQ(g_scriptPaths[0], script1);
    EXPECT_EQ(TextOf(g_audioOutputFile), "test.wav");
}

TEST_F(PanelConfigurationTest, LosingActivationRefreshesAfterSlidersWentButNotTheOwner) {
    for (const PanelConfigOwner owner : {PanelConfigOwner::MainWindow, PanelConfigOwner::Panel}) {
        const bool fromPanel = owner == PanelConfigOwner::Panel;
        SCOPED_TRACE(fromPanel ? "from the panel" : "from the main window");
        FreshPanelWithViews();
        const auto before = g_sliders;
        PanelConfiguration config(owner);
        config.AddNew(3, Edit(false)); // cancelled: the panel is as it was, nothing to refresh
        EXPECT_TRUE(std::equal(g_sliders.begin(), g_sliders.begin() + 16, before.begin()));
        EXPECT_EQ(g_sliderCount, 16);
        config.LoseActivation();
        EXPECT_TRUE(m_manager.rebuilds.empty());
        ui.answers = {MessageAnswer::Yes};
        config.Delete(0);
        config.LoseActivation();
        config.LoseActivation(); // once only
        EXPECT_EQ(m_manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::Panel});
        EXPECT_EQ(m_panel.CallsOf("close").size(), fromPanel ? 0u : 1u);
        EXPECT_EQ(ui.commands, fromPanel ? std::vector<int>{} : std::vector<int>{kCmdVirtualPanel});
        config.Cancel();
    }
}
