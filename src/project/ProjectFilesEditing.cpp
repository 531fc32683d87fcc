#include "project/ProjectFilesEditing.h"

#include <array>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/Ui.h"
#include "engine/AudioFormats.h"
#include "panel/PanelViews.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

AdditionalFiles ProjectFilesToEdit() {
    return {std::string(TextOf(g_scriptPaths[0])), std::string(TextOf(g_scriptPaths[1])),
            std::string(TextOf(g_audioOutputFile)), g_audioFormatIndex};
}

void ChooseProjectFile(AdditionalFileField field, const std::string& path) {
    if (field == kAudioFileField) {
        SetText(g_audioOutputFile, path);
    } else {
        SetText(g_scriptPaths[field == kScript1Field ? 0 : 1], path);
    }
}

bool ConfirmProjectFiles(std::string_view script1, std::string_view script2,
                         std::string_view audioFile, int audioFormat) {
    if (!AdditionalFilePathsFit(script1, script2, audioFile)) {
        return false;
    }
    SetText(g_audioOutputFile, audioFile);
    g_audioOutputFileCommitted = g_audioOutputFile;
    if (IsAudioFormatIndex(audioFormat)) {
        g_audioFormatIndex = audioFormat;
    }
    CommitScriptPaths({std::string(script1), std::string(script2)});
    // Rebuilt in place: the dialog may have been opened from the manager itself, which must not
    // be destroyed under it.
    RebuildProjectManager(ProjectBranch::AdditionalFiles);
    return true;
}

void CancelProjectFiles() {
    g_scriptPaths = g_scriptPathsCommitted;
    g_audioOutputFile = g_audioOutputFileCommitted;
}

const AdditionalFilesRole kProjectFilesRole = {kStrProjectFilesTitle, ProjectFilesToEdit,
                                               ChooseProjectFile, ConfirmProjectFiles,
                                               CancelProjectFiles};
