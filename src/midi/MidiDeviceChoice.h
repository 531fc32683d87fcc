#pragma once
// The logic of the MIDI devices dialog: what it shows on opening, the "Enable MIDI input"
// checkbox, OK and Cancel. The dialog window only shows what these return.

#include <optional>
#include <string>
#include <vector>

struct MidiDevicesChoice {
    bool inputChecked = false;
    bool inputCheckEnabled = true;
    std::vector<std::string> inputs; // "0 - name", "1 - name", ... in the service's order
    int inputSelection = -1;         // -1: no selection
    bool inputListEnabled = false;
    std::vector<std::string> outputs;
    int outputSelection = -1;
};

// What the dialog shows on opening; nothing when no output exists, after "No devices
// selected. Sorry, Ventaro can't work." and the quit it causes.
std::optional<MidiDevicesChoice> OpenMidiDevicesChoice();
// A click on "Enable MIDI input": the device state changes at once. The new checkbox state,
// which the input list's enabled state follows.
bool ClickEnableMidiInput();
// OK with the lists' selections (-1 for none): true when the dialog closes, false when it stays
// open after a reported failure.
bool ConfirmMidiDevicesChoice(int inputSelection, int outputSelection);
// Cancel: the remembered state comes back; with no output ever opened the program quits.
// Afterwards the checkbox shows g_midiDialog.checkbox. The dialog always closes.
void CancelMidiDevicesChoice();
