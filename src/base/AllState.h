#pragma once
// One reset for the whole process.

// Puts every subsystem's process-wide state back to its start values through the one reset
// each subsystem keeps beside its state: the preferences, the MIDI devices, the noise sources,
// the panel, the snapshots, the scripts, the engine settings and its run, the MIDIScope's list,
// the Send MIDI message values, the scratchpad's text, the keyboard mapping and the project. The
// services the program installs (the Ui, the settings store, the file system, the MIDI service,
// ...), the command routes, the frame hooks and the windows attached to the core are its wiring,
// not state: they come and go with the program or a test's fakes.
//
// Declared here so that every subsystem's tests can reach it; defined at the top
// (app/AllState.cpp), the one place that sees every subsystem.
void ResetAllState();
