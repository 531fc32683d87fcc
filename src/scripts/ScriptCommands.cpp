#include "scripts/ScriptCommands.h"

#include <algorithm>
#include <span>

#include "base/ByteCodec.h"
#include "base/Ui.h"
#include "engine/EngineSettings.h"
#include "panel/PanelState.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/CsoundText.h"
#include "scripts/ScriptStore.h"

namespace {

std::span<SliderRecord> PanelSliders() {
    const int count = std::clamp(g_sliderCount, 0, kMaxSliders);
    return std::span(g_sliders.data(), static_cast<std::size_t>(count));
}

} // namespace

bool CheckScriptsToEdit() {
    CountScripts();
    if (g_editorPaneCount > 0) {
        return true;
    }
    if (g_ui) {
        g_ui->ShowMessage(Str(kStrNoScripts), MessageIcon::Warning);
    }
    return false;
}

std::vector<std::string> InsertMenuPieces(int command, int audioFormatIndex) {
    if (command == kCommandInsertHeader) {
        return {CsoundHeaderPiece(audioFormatIndex)};
    }
    if (command == kCommandInsertOrchestra) {
        return InferredOrchestraPieces(PanelSliders(), audioFormatIndex);
    }
    if (command == kCommandInsertPFields) {
        return PFieldPieces(PanelSliders());
    }
    const int table = (command - kCommandInsertFirstTable) / 1000 + 1;
    if (command % 1000 == 0 && table >= 1 && table <= kFunctionTableCount) {
        return {FunctionTablePiece(table)};
    }
    return {};
}

ExternalEditorLaunch ExternalEditorFor(int command) {
    const int script = command == kCommandEditScript2 ? 1 : 0;
    ExternalEditorLaunch launch;
    launch.program = TextOf(g_soundEngine.scriptEditor);
    if (g_projectOpen) {
        launch.parameter = ResolveProjectPath(TextOf(g_scriptPaths[script]));
    } else {
        launch.parameter =
            TextOf(script == 0 ? g_environmentFiles.script1 : g_environmentFiles.script2);
    }
    return launch;
}
