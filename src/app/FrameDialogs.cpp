#include "app/FrameDialogs.h"

#include "base/ProgramLauncher.h"
#include "base/SettingsKeys.h"
#include "base/SettingsStore.h"
#include "base/Ui.h"
#include "resources/Strings.h"

namespace {
constexpr int kSystemInfoProgramCount = 3;
} // namespace

void DeleteAllSettings() {
    if (g_settingsStore && !g_settingsStore->DeleteKey(kProductKey)) {
        ShowWarning(Str(kStrSettingsLeft));
    }
}

void RunSystemInformation() {
    for (int k = 0; k < kSystemInfoProgramCount; ++k) {
        if (RunProgram(Str(kStrSystemInfoProgramFirst + k), "")) {
            return;
        }
    }
    ShowWarning(Str(kStrSystemInfoUnavailable));
}
