// Any bytes as a template: a flag byte (bit 0: a sample is exported, bit 1: a script 2 text),
// three bytes of length for the first text, that text, then the project image. LoadTemplate
// refuses or takes it without overrunning anything, and the panel fits its limits either way.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/AllState.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeTemplateLibrary.h"
#include "fakes/FakeUi.h"
#include "panel/PanelState.h"
#include "project/ProjectState.h"
#include "project/Templates.h"
#include "scripts/ScriptStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    FakeUi ui;
    FakeFileSystem fs;
    g_ui = &ui;
    g_fileSystem = &fs;
    ResetAllState();

    const std::uint8_t flags = data[0];
    std::size_t textSize = data[1] | (data[2] << 8) | (static_cast<std::size_t>(data[3]) << 16);
    data += 4;
    size -= 4;
    textSize = textSize < size ? textSize : size;
    FakeTemplateLibrary library;
    library.entries["Text/T.orc"].assign(data, data + textSize);
    library.entries["Text/T.sco"].assign(data, data + textSize / 2);
    library.entries["Project/T.vtp"].assign(data + textSize, data + size);
    library.Put("Wave/Voice.wav", "RIFF");
    g_templates[0] = TemplateEntry{};
    SetText(g_templates[0].projectName, "T.vtp");
    SetText(g_templates[0].script1Name, "T.orc");
    SetText(g_templates[0].script2Name, (flags & 2) ? "T.sco" : "");
    g_templates[0].needsSample = flags & 1;

    AcceptTemplate(library, 0);
    if (g_sliderCount < 1 || g_sliderCount > kMaxSliders || g_snapshotCount < 0 ||
        g_snapshotCount > kMaxSnapshots || g_scriptTexts[0].size() > kMaxScriptLength ||
        g_scriptTexts[1].size() > kMaxScriptLength ||
        !std::all_of(g_sliders.begin(), g_sliders.begin() + g_sliderCount, IsUsableSlider)) {
        std::abort();
    }
    g_ui = nullptr;
    g_fileSystem = nullptr;
    return 0;
}
