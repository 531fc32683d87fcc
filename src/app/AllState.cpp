#include "base/AllState.h"

#include "base/Preferences.h"
#include "engine/EngineRun.h"
#include "engine/EngineSettings.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "project/ProjectState.h"
#include "random/NoiseSources.h"
#include "scripts/ScriptStore.h"
#include "snapshots/SnapshotState.h"
#include "tools/AudioRecorder.h"
#include "tools/FindSlider.h"
#include "tools/Gesture.h"
#include "tools/KeyboardMapping.h"
#include "tools/MidiScope.h"
#include "tools/ScratchPad.h"
#include "tools/SendMidi.h"

void ResetAllState() {
    SetPreferenceDefaults();
    ResetMidiDeviceState();
    ResetNoiseSources();
    ResetPanelState();
    ResetSnapshotState();
    ResetScriptStore();
    SetEngineSettingsDefaults();
    ResetEngineRunState();
    ResetMidiScopeState();
    ResetFindSliderState();
    ResetGestureState();
    ResetSendMidiState();
    ResetScratchPadState();
    ResetKeyboardMappingState();
    ResetAudioRecorderState();
    // Last: a new project's defaults set some of the panel's and the scripts' values.
    ResetProjectState();
}
