#include "project/ProjectState.h"

#include <algorithm>

#include "panel/PanelState.h"
#include "project/TemplateTable.h"
#include "project/Templates.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"
#include "snapshots/SnapshotState.h"

std::int32_t g_projectOpen = 0;
std::int32_t g_projectUntitled = 1;
std::int32_t g_projectDirty = 0;

namespace {

ProjectHeader StartHeader() {
    ProjectHeader header;
    SetText(header.magic, kProjectMagic);
    return header;
}

} // namespace

ProjectHeader g_projectHeader = StartHeader();
std::array<char, kProjectPathWidth> g_projectPath{};
std::array<char, kProjectNameWidth> g_projectName{};
std::int32_t g_untitledCounter = 1;

ProjectText260 g_audioOutputFile{};
ProjectText260 g_audioOutputFileCommitted{};
std::int32_t g_audioFormatIndex = kDefaultAudioFormat;
std::int32_t g_managerIconSize = 16;
std::int32_t g_panelControlStyleCommitted = 0;
std::int32_t g_newPanelType = kNewPanelSevenBit;
std::int32_t g_newPanelTypeCommitted = kNewPanelSevenBit;

std::array<WindowState, kProjectWindowCount> g_windowStates{};

std::array<TemplateEntry, kTemplateCount> g_templates{};
int g_rememberedTemplate = 0;

void ResetProjectDefaults() {
    SetPanelDefaults();
    g_panelControlStyleCommitted = 0;
    g_managerIconSize = 16;
    g_gestureSnapshots.fill(0);
    ResetScriptStore();
    SetText(g_audioOutputFile, "test.wav");
    g_audioOutputFileCommitted = g_audioOutputFile;
    g_audioFormatIndex = kDefaultAudioFormat;
    g_snapshotNameCounter = 0;
    g_newPanelType = kNewPanelSevenBit;
    g_newPanelTypeCommitted = kNewPanelSevenBit;
}

void ResetWindowStates() {
    g_windowStates.fill(WindowState{});
    g_windowStates[kWindowProjectManager].visible = 1;
}

void ResetProjectState() {
    g_projectOpen = 0;
    g_projectUntitled = 1;
    g_projectDirty = 0;
    g_projectHeader = StartHeader();
    ClearProjectFile();
    g_untitledCounter = 1;
    ResetProjectDefaults();
    ResetWindowStates();
    FillTemplateTable();
    g_rememberedTemplate = 0;
}

std::string_view FileTitleOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string ResolveProjectPath(std::string_view stored) {
    const bool windowsAbsolute =
        stored.size() >= 2 && (stored[1] == ':' || (stored[0] == '\\' && stored[1] == '\\'));
    if (stored.empty() || stored.front() == '/' || windowsAbsolute) {
        return std::string(stored);
    }
    std::string path(stored);
    std::replace(path.begin(), path.end(), '\\', '/');
    const std::string_view project = TextOf(g_projectPath);
    const std::size_t slash = project.find_last_of('/');
    return slash == std::string_view::npos ? path
                                           : std::string(project.substr(0, slash + 1)) + path;
}

bool SetProjectFile(std::string_view path) {
    if (path.size() >= kProjectPathWidth) {
        return false;
    }
    ClearProjectFile();
    SetText(g_projectPath, path);
    SetText(g_projectName, FileTitleOf(path));
    return true;
}

void ClearProjectFile() {
    g_projectPath.fill('\0');
    g_projectName.fill('\0');
}

std::string ProjectTitle() {
    return Str(kStrTitle) + " - [" + std::string(TextOf(g_projectName)) + "]";
}
