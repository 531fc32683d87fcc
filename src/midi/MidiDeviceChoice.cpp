#include "midi/MidiDeviceChoice.h"

#include <cstdio>

#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "resources/Strings.h"

namespace {

std::string Entry(int index, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%d", index);
    return std::string(number) + " - " + name;
}

int Selection(int index, int count) {
    return index >= 0 && index < count ? index : -1;
}

void NoDevicesQuit() {
    if (g_ui) {
        g_ui->ShowMessage(Str(kStrNoDevices), MessageIcon::Stop);
        g_ui->PostQuit(0);
    }
}

} // namespace

std::optional<MidiDevicesChoice> OpenMidiDevicesChoice() {
    // The lists show the devices as they are now: a server that came back lists its ports again.
    NoticeLostMidiDevices();
    g_midiService->Rescan();
    MidiDevicesChoice choice;
    const int inputCount = g_midiService->InputCount();
    choice.inputChecked = g_midiDialog.checkbox == 1;
    choice.inputCheckEnabled = inputCount > 0;
    for (int i = 0; i < inputCount; ++i) {
        choice.inputs.push_back(Entry(i, g_midiService->InputName(i)));
    }
    choice.inputSelection = Selection(g_midiDevices.inputDeviceIndex, inputCount);
    choice.inputListEnabled = g_midiDialog.inputListEnabled == 1;

    const int outputCount = g_midiService->OutputCount();
    if (outputCount == 0) {
        NoDevicesQuit();
        return std::nullopt;
    }
    for (int i = 0; i < outputCount; ++i) {
        choice.outputs.push_back(Entry(i, g_midiService->OutputName(i)));
    }
    choice.outputSelection = Selection(g_midiDevices.outputDeviceIndex, outputCount);
    return choice;
}

bool ClickEnableMidiInput() {
    const std::int32_t checked = g_midiDevices.inputEnabled < 0 ? 1 : 0;
    g_midiDevices.inputEnabled = -g_midiDevices.inputEnabled;
    g_midiDialog.checkbox = checked;
    g_midiDialog.inputListEnabled = checked;
    return checked == 1;
}

bool ConfirmMidiDevicesChoice(int inputSelection, int outputSelection) {
    g_midiDevices.inputDeviceIndex = inputSelection;
    g_midiDevices.outputDeviceIndex = outputSelection;
    if (!OpenMidiDevices()) {
        return false;
    }
    g_midiDialog.rememberedInputEnabled = g_midiDevices.inputEnabled;
    g_midiDialog.rememberedCheckbox = g_midiDialog.checkbox;
    g_midiDialog.rememberedInputListEnabled = g_midiDialog.inputListEnabled;
    return StoreMidiDeviceSettings();
}

void CancelMidiDevicesChoice() {
    MidiDialogState& d = g_midiDialog;
    g_midiDevices.inputEnabled = d.rememberedInputEnabled;
    d.checkbox = d.rememberedCheckbox;
    d.inputListEnabled = d.rememberedInputListEnabled;
    if (g_midiDevices.outputOpened == 0) {
        NoDevicesQuit();
        return;
    }
    if (g_midiDevices.inputOpened == 0) {
        g_midiDevices.inputEnabled = d.rememberedInputEnabled = -1;
        d.checkbox = d.rememberedCheckbox = 0;
        d.inputListEnabled = d.rememberedInputListEnabled = 0;
        OpenMidiDevices(); // the status bar's input part reads "In: none" again
    }
}
