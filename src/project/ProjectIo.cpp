#include "project/ProjectIo.h"

#include <cstring>
#include <string>

#include "base/FileSystem.h"
#include "base/Ui.h"
#include "panel/PanelState.h"
#include "project/ProjectLifecycle.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

// The change detector compares records as the file holds them; both have no padding.
static_assert(sizeof(SliderRecord) == kSliderRecordSize);
static_assert(sizeof(SnapshotRecord) == kSnapshotRecordSize);

namespace {

void Warn(int message) {
    g_ui->ShowMessage(Str(message), MessageIcon::Warning);
}

// Takes an open window's placement into its state.
void RefreshPlacement(int window) {
    WindowPlacement placement;
    if (g_ui->GetWindowPlacement(kProjectWindowCommands[static_cast<std::size_t>(window)],
                                 placement)) {
        placement.length = static_cast<std::int32_t>(kWindowPlacementSize);
        g_windowStates[static_cast<std::size_t>(window)].placement = placement;
    }
}

std::int32_t IsOpen(int window) {
    return g_ui->IsWindowOpen(kProjectWindowCommands[static_cast<std::size_t>(window)]) ? 1 : 0;
}

// The window part of the header: flags and open states as they are now, placements refreshed
// from the open windows; a placement not valid leaves the header's bytes as they were.
void TakeWindowsIntoHeader(ProjectHeader& header) {
    for (int w = 0; w < kProjectWindowCount; ++w) {
        WindowState& state = g_windowStates[static_cast<std::size_t>(w)];
        WindowState& stored = header.windows[static_cast<std::size_t>(w)];
        stored.placementValid = state.placementValid;
        const std::int32_t open = IsOpen(w);
        if (state.placementValid == 1 && open) {
            RefreshPlacement(w);
        }
        if (state.placementValid == 1) {
            stored.placement = state.placement;
        }
        stored.visible = open;
        state.visible = open;
    }
}

bool CountsFit() {
    return g_sliderCount >= 1 && g_sliderCount <= kMaxSliders && g_snapshotCount >= 0 &&
           g_snapshotCount <= kMaxSnapshots;
}

// The records now on disk become the saved copies the change detector compares with.
void TakeWrittenRecords(const ProjectHeader& header) {
    g_projectHeader = header;
    for (int i = 0; i < header.sliderCount; ++i) {
        g_slidersSaved[static_cast<std::size_t>(i)] = g_sliders[static_cast<std::size_t>(i)];
    }
    for (int n = 1; n <= header.snapshotCount; ++n) {
        g_snapshotsSaved[n] = g_snapshots.Peek(n);
    }
}

bool SameBytes(const void* a, const void* b, std::size_t size) {
    return std::memcmp(a, b, size) == 0;
}

template <std::size_t N> bool SameText(const std::array<char, N>& a, const std::array<char, N>& b) {
    return TextOf(a) == TextOf(b);
}

} // namespace

ProjectHeader HeaderFromState() {
    ProjectHeader header = g_projectHeader;
    header.projectName = g_projectName;
    header.sliderCount = g_sliderCount;
    header.snapshotCount = g_snapshotCount;
    header.controlStyle = g_panelControlStyle;
    header.scrollStep = g_scrollStep;
    header.startMessage = g_startMessage;
    header.stopMessage = g_stopMessage;
    header.managerIconSize = g_managerIconSize;
    header.gestureSnapshots = g_gestureSnapshots;
    header.scriptPaths = g_scriptPaths;
    header.audioOutputFile = g_audioOutputFile;
    header.audioFormatIndex = g_audioFormatIndex;
    return header;
}

std::int32_t WriteProject() {
    if (g_projectUntitled == 1) {
        std::string path;
        std::string title;
        if (!g_ui->SelectFile(7, path, title)) {
            return 0;
        }
        if (!SetProjectFile(path)) {
            Warn(kStrFileCreateError);
            return 0;
        }
    }
    g_ui->SetTitle(ProjectTitle());

    ProjectHeader header = HeaderFromState();
    TakeWindowsIntoHeader(header);
    if (!CountsFit()) {
        Warn(kStrFileWriteError);
        return 0;
    }
    const std::vector<std::uint8_t> image = EncodeProjectImage(header, g_sliders, g_snapshots);
    switch (g_fileSystem->WriteFileAtomically(std::string(TextOf(g_projectPath)), image)) {
    case FileStatus::Ok:
        break;
    case FileStatus::CreateFailed:
        Warn(kStrFileCreateError);
        return 0;
    default:
        Warn(kStrFileWriteError);
        return 0;
    }
    TakeWrittenRecords(header);

    TakePaneTexts(); // the open editor holds the live texts
    const std::int32_t script1Saved = SaveScript(0);
    const std::int32_t script2Saved = SaveScript(1);
    const bool scriptsSaved = script1Saved == 1 && script2Saved == 1;
    g_projectUntitled = 0;
    // A script that could not be saved keeps the project changed, so no prompt lets it be lost.
    if (!scriptsSaved) {
        return 0;
    }
    g_projectDirty = 0;
    return 1;
}

void LowerGestureCorners(ProjectHeader& header) {
    const std::int32_t last = header.snapshotCount > 0 ? header.snapshotCount - 1 : 0;
    for (std::int32_t& corner : header.gestureSnapshots) {
        corner = corner < 0 ? 0 : (corner > last ? last : corner);
    }
}

void TakeProjectImage(const ProjectHeader& header, std::span<const std::uint8_t> image) {
    g_sliderCount = header.sliderCount;
    g_sliderCountCommitted = header.sliderCount;
    g_snapshotCount = header.snapshotCount;
    g_snapshotNameCounter = header.snapshotCount;
    g_panelControlStyle = header.controlStyle;
    g_panelControlStyleCommitted = header.controlStyle;
    g_scrollStep = header.scrollStep;
    g_startMessage = header.startMessage;
    g_stopMessage = header.stopMessage;
    g_managerIconSize = header.managerIconSize;
    g_gestureSnapshots = header.gestureSnapshots;
    g_scriptPaths = header.scriptPaths;
    g_scriptPathsCommitted = header.scriptPaths;
    g_audioOutputFile = header.audioOutputFile;
    g_audioOutputFileCommitted = header.audioOutputFile;
    g_audioFormatIndex = header.audioFormatIndex;
    for (int w = 0; w < kProjectWindowCount; ++w) {
        const WindowState& stored = header.windows[static_cast<std::size_t>(w)];
        WindowState& state = g_windowStates[static_cast<std::size_t>(w)];
        state.placementValid = stored.placementValid;
        state.visible = stored.visible;
        if (stored.placementValid == 1) {
            state.placement = stored.placement;
        }
    }
    for (int i = 0; i < header.sliderCount; ++i) {
        const SliderRecord slider = ImageSlider(image, i);
        g_slidersSaved[static_cast<std::size_t>(i)] = slider;
        g_sliders[static_cast<std::size_t>(i)] = slider;
    }
    for (int n = 1; n <= header.snapshotCount; ++n) {
        const SnapshotRecord snapshot = ImageSnapshot(image, header.sliderCount, n);
        g_snapshotsSaved[n] = snapshot;
        g_snapshots[n] = snapshot;
    }
}

std::int32_t ReadProject() {
    const FileContents file =
        g_fileSystem->ReadFile(std::string(TextOf(g_projectPath)), kMaxProjectImageSize);
    if (file.status == FileStatus::OpenFailed) {
        Warn(kStrFileOpenError);
        return 0;
    }
    ProjectHeader header;
    const ImageCheck check = file.status == FileStatus::Ok
                                 ? CheckProjectImage(file.bytes, true, header)
                                 : ImageCheck::Short;
    if (check != ImageCheck::Ok) {
        Warn(check == ImageCheck::Short ? kStrFileReadError : kStrInvalidProject);
        return 0;
    }
    LowerGestureCorners(header);
    g_projectHeader = header;
    TakeProjectImage(header, file.bytes);

    LoadScript(0);
    LoadScript(1);
    g_projectDirty = 0;
    g_projectUntitled = 0;
    g_ui->SetTitle(ProjectTitle());
    ProjectOpened();
    return 1;
}

void DetectProjectChanges() {
    if (g_projectOpen == 0) {
        return;
    }
    const ProjectHeader& saved = g_projectHeader;
    bool changed = !SameText(saved.projectName, g_projectName);

    changed |= saved.sliderCount != g_sliderCount || saved.snapshotCount != g_snapshotCount ||
               saved.controlStyle != g_panelControlStyle || saved.scrollStep != g_scrollStep ||
               saved.startMessage != g_startMessage || saved.stopMessage != g_stopMessage ||
               saved.managerIconSize != g_managerIconSize ||
               saved.gestureSnapshots != g_gestureSnapshots;

    changed |= !SameText(saved.scriptPaths[0], g_scriptPaths[0]) ||
               !SameText(saved.scriptPaths[1], g_scriptPaths[1]) ||
               !SameText(saved.audioOutputFile, g_audioOutputFile) ||
               saved.audioFormatIndex != g_audioFormatIndex;

    // Opening, closing or moving a project window counts as a change.
    for (int w :
         {kWindowProjectManager, kWindowVirtualPanel, kWindowGesture, kWindowScriptEditor}) {
        const WindowState& stored = saved.windows[static_cast<std::size_t>(w)];
        WindowState& state = g_windowStates[static_cast<std::size_t>(w)];
        changed |= stored.placementValid != state.placementValid;
        if (state.placementValid == 1) {
            if (IsOpen(w)) {
                RefreshPlacement(w);
            }
            changed |= stored.placement != state.placement;
        }
        state.visible = IsOpen(w);
        changed |= stored.visible != state.visible;
    }

    const int sliders = g_sliderCount < kMaxSliders ? g_sliderCount : kMaxSliders;
    for (int i = 0; i < sliders; ++i) {
        changed |= !SameBytes(&g_sliders[static_cast<std::size_t>(i)],
                              &g_slidersSaved[static_cast<std::size_t>(i)], kSliderRecordSize);
    }
    const int snapshots = g_snapshotCount < kMaxSnapshots ? g_snapshotCount : kMaxSnapshots;
    for (int n = 1; n <= snapshots; ++n) {
        changed |= !SameBytes(&g_snapshots.Peek(n), &g_snapshotsSaved.Peek(n), kSnapshotRecordSize);
    }

    TakePaneTexts(); // the open editor holds the live texts
    changed |=
        g_scriptTexts[0] != g_scriptTextsSaved[0] || g_scriptTexts[1] != g_scriptTextsSaved[1];

    if (changed) {
        g_projectDirty = 1;
    }
}
