#pragma once
// Keys and value names of the settings store.

inline constexpr const char* kProductKey = "Software\\Ventaro.2";
inline constexpr const char* kSettingsKey = "Software\\Ventaro.2\\Settings";
inline constexpr const char* kWindowsKey = "Software\\Ventaro.2\\Windows";

inline constexpr const char* kValueGlobal = "Global";
inline constexpr const char* kValueHelp = "Help";
inline constexpr const char* kValueEditorPrefs = "EditorPrefs";
inline constexpr const char* kValueKeyboardMapping = "KeyboardMapping";
inline constexpr const char* kValueMidiDevices = "MIDIDevices";
// Our own value beside "MIDIDevices": the chosen devices' names, so a stored index whose device
// list changed is found again by name.
inline constexpr const char* kValueMidiDeviceNames = "MIDIDeviceNames";
inline constexpr const char* kValueEnvironmentFiles = "EnvironmentFiles";
inline constexpr const char* kValueSoundEngine = "SoundEngine";
inline constexpr const char* kValueAudioDevices = "AudioDevices";

inline constexpr const char* kValueFrameWindow = "FrameWindow";
inline constexpr const char* kValueBars = "Bars";
inline constexpr const char* kValueAudioRecorder = "AudioRecorder";
inline constexpr const char* kValueMidiSend = "MIDISend";
inline constexpr const char* kValueGlobalMemory = "GlobalMemory";
inline constexpr const char* kValueMidiScope = "MIDIScope";
inline constexpr const char* kValueScratchPad = "ScratchPad";
