#pragma once
// The steps of start-up and exit that the frame leaves to the subsystems above it (the project
// lifecycle, the sound engine settings, the keyboard mapping, the script editor), which the
// frame's logic cannot call itself. Each subsystem sets its hooks when the program installs it;
// a hook left empty is a step with nothing to do.

#include <functional>
#include <string_view>

// Named only: the MIDI input hook carries it by reference.
struct MidiInputEvent;

// The modifiers the keyboard mapping shifts the octave by.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
};

// A key of the main window for the keyboard mapping: its scan code (set 1), whether it goes down
// or up, whether the press is the key's auto-repeat, and the modifiers held at that moment.
struct MappedKey {
    bool down = false;
    int scanCode = 0;
    bool autoRepeat = false;
    KeyModifiers modifiers;
};

// What the Edit menu needs of the script editor when it drops down.
struct EditorMenuState {
    bool editorVisible = false;
    bool canUndo = false;
    bool clipboardHasText = false;
    bool selectionNotEmpty = false;
};

struct FrameHooks {
    // Loads the engine library at the main window's creation, before the start values: the
    // engine settings' defaults depend on it. A re-run keeps the library loaded.
    std::function<void()> loadEngineLibrary;
    // The project's part of the exit: the save prompt and closing; false keeps the program
    // running.
    std::function<bool()> exitProject;
    // Reads the project named on the command line.
    std::function<void(std::string_view path)> openStartupProject;
    // Shows the system exclusive bank named on the command line in the scratchpad.
    std::function<void(std::string_view path)> openStartupBank;
    // A file dropped on the main window.
    std::function<void(std::string_view path)> dropProjectFile;
    // The start-up readers of "AudioDevices" and "SoundEngine", in this order.
    std::function<void()> readAudioDevices;
    std::function<void()> readSoundEngine;
    // The engine preference "Close engine on exit".
    std::function<bool()> closeEngineOnExit;
    // Deletes the engine program the embedded engine exported, whether or not it exists.
    std::function<void()> deleteEmbeddedEngineFile;
    // The script editor's state for the Edit menu.
    std::function<EditorMenuState()> editorMenuState;
    // Each event of the MIDI input, on the user-interface thread, oldest first.
    std::function<void(const MidiInputEvent& event)> midiInput;
    // A key going down or up while keyboard mapping is enabled.
    std::function<void(const MappedKey& key)> keyboardMappingKey;
    // Ends the notes of the keys the mapping holds down: the mapping goes off or the main window
    // loses the focus, and their key-ups would never come.
    std::function<void()> keyboardMappingRelease;
};

extern FrameHooks g_frameHooks;
