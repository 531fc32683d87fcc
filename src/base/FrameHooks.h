#pragma once
// The steps of start-up and exit that belong to Parts built on top of the frame (the project
// lifecycle, the sound engine settings, the keyboard mapping, the script editor). Each Part sets
// its hook when it is built; a hook left empty is a step with nothing to do yet.

#include <functional>
#include <string_view>

// Named only: the MIDI input hook carries it by reference.
struct MidiInputEvent;

// What the Edit menu needs of the script editor when it drops down.
struct EditorMenuState {
    bool editorVisible = false;
    bool canUndo = false;
    bool clipboardHasText = false;
    bool selectionNotEmpty = false;
};

struct FrameHooks {
    // The start values of the Parts above the frame (engine settings and library, audio
    // formats, script font, project defaults, templates), set at the main window's creation.
    std::function<void()> setPartStartValues;
    // The project flags at the main window's creation.
    std::function<void()> resetProjectFlags;
    // The project's part of the exit: the save prompt and closing; false keeps the program
    // running.
    std::function<bool()> exitProject;
    // Reads the project named on the command line.
    std::function<void(std::string_view path)> openStartupProject;
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
    // A key going down (true) or up while keyboard mapping is enabled, with its scan code.
    std::function<void(bool down, int scanCode)> keyboardMappingKey;
};

extern FrameHooks g_frameHooks;
