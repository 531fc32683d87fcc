#include "midi/MidiDevices.h"

#include <algorithm>

#include "base/ByteCodec.h"
#include "base/SettingsKeys.h"
#include "base/Ui.h"
#include "resources/Strings.h"

MidiDeviceState g_midiDevices;
MidiDialogState g_midiDialog;
MidiService* g_midiService = nullptr;
MidiInputSink* g_midiInputSink = nullptr;
std::string g_midiInputStatusText;
std::string g_midiOutputStatusText;

Bytes EncodeMidiDeviceSettings(const MidiDeviceSettings& settings) {
    Bytes bytes(kMidiDeviceSettingsSize);
    ByteWriter w(bytes);
    w.PutI32(settings.inputDeviceIndex);
    w.PutI32(settings.outputDeviceIndex);
    w.PutI32(settings.inputEnabled);
    return bytes;
}

std::optional<MidiDeviceSettings> DecodeMidiDeviceSettings(const Bytes& bytes) {
    if (bytes.size() != kMidiDeviceSettingsSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    MidiDeviceSettings settings;
    settings.inputDeviceIndex = r.GetI32();
    settings.outputDeviceIndex = r.GetI32();
    settings.inputEnabled = r.GetI32();
    return settings;
}

Bytes EncodeMidiDeviceNames(const MidiDeviceNames& names) {
    Bytes bytes(names.input.begin(), names.input.end());
    bytes.push_back(0);
    bytes.insert(bytes.end(), names.output.begin(), names.output.end());
    bytes.push_back(0);
    return bytes;
}

std::optional<MidiDeviceNames> DecodeMidiDeviceNames(const Bytes& bytes) {
    const auto first = std::find(bytes.begin(), bytes.end(), 0);
    if (first == bytes.end()) {
        return std::nullopt;
    }
    const auto second = std::find(first + 1, bytes.end(), 0);
    if (second == bytes.end() || second + 1 != bytes.end()) {
        return std::nullopt;
    }
    return MidiDeviceNames{std::string(bytes.begin(), first), std::string(first + 1, second)};
}

namespace {

// The index of the device with this name in the output or input list, or -1.
int FindMidiDevice(const std::string& name, bool output) {
    const int count = output ? g_midiService->OutputCount() : g_midiService->InputCount();
    for (int i = 0; i < count; ++i) {
        if ((output ? g_midiService->OutputName(i) : g_midiService->InputName(i)) == name) {
            return i;
        }
    }
    return -1;
}

} // namespace

int FindMidiOutput(const std::string& name) {
    return FindMidiDevice(name, true);
}

int FindMidiInput(const std::string& name) {
    return FindMidiDevice(name, false);
}

void ResetMidiDeviceState() {
    g_midiDevices = MidiDeviceState{};
    g_midiDialog = MidiDialogState{};
    g_midiInputStatusText.clear();
    g_midiOutputStatusText.clear();
}

namespace {

constexpr const char* kLostMark = " (lost)";
// The status bar's first part, where the menus' help lines show too.
constexpr int kStatusPartNotice = 0;

void ShowError(int prefix, MidiResult code) {
    if (g_ui) {
        g_ui->ShowMessage(Str(prefix) + g_midiService->ErrorText(code), MessageIcon::Warning);
    }
}

void SetWaitCursor(bool waiting) {
    if (g_ui) {
        g_ui->SetWaitCursor(waiting);
    }
}

// Opens the chosen output. A device already open counts as opened when it is the chosen one;
// otherwise it is closed first, so that the open device is always the one the choice names.
MidiResult OpenChosenOutput() {
    MidiDeviceState& s = g_midiDevices;
    if (s.openOutputIndex == s.outputDeviceIndex && g_midiService->OutputIsOpen() &&
        !g_midiService->OutputLost()) {
        return kMidiOk;
    }
    if (s.openOutputIndex >= 0) {
        g_midiService->ResetOutput();
        g_midiService->CloseOutput();
        s.openOutputIndex = -1;
    }
    const MidiResult result = g_midiService->OpenOutput(s.outputDeviceIndex);
    if (result == kMidiOk) {
        s.openOutputIndex = s.outputDeviceIndex;
        s.openOutputName = g_midiService->OutputName(s.outputDeviceIndex);
        s.outputLost = 0;
    }
    return result;
}

void CloseOpenInput() {
    g_midiService->Disconnect();
    g_midiService->StopInput();
    g_midiService->ResetInput();
    CloseMidiInput();
    g_midiDevices.inputOpened = 0;
}

// Names the devices that are open: after a successful open these are the chosen ones.
void WriteStatusTexts() {
    const MidiDeviceState& s = g_midiDevices;
    g_midiInputStatusText = Str(kStrStatusIn) + (s.inputEnabled > 0 && s.openInputIndex >= 0
                                                     ? g_midiService->InputName(s.openInputIndex)
                                                     : Str(kStrStatusNone));
    g_midiOutputStatusText =
        Str(kStrStatusOut) + (s.openOutputIndex >= 0 ? g_midiService->OutputName(s.openOutputIndex)
                                                     : Str(kStrStatusNone));
    if (s.inputLost) {
        g_midiInputStatusText = Str(kStrStatusIn) + s.openInputName + kLostMark;
    }
    if (s.outputLost) {
        g_midiOutputStatusText = Str(kStrStatusOut) + s.openOutputName + kLostMark;
    }
    if (g_ui) {
        g_ui->SetStatusText(kStatusPartInput, g_midiInputStatusText);
        g_ui->SetStatusText(kStatusPartOutput, g_midiOutputStatusText);
    }
}

// A failed open may have closed the device the status bar names; once texts are shown they
// must keep naming only what is open.
void RefreshShownStatusTexts() {
    if (!g_midiOutputStatusText.empty() || !g_midiInputStatusText.empty()) {
        WriteStatusTexts();
    }
}

std::string NotConnected(const std::string& name) {
    return "The device \"" + name + "\" is not connected.";
}

// A lost device that did not open again: not listed, or its opening failed.
void ReportNotBack(int prefix, int index, const std::string& name) {
    if (g_ui) {
        g_ui->ShowMessage(Str(prefix) + (index >= 0
                                             ? g_midiService->ErrorText(g_midiDevices.lastResult)
                                             : NotConnected(name)),
                          MessageIcon::Warning);
    }
}

// Points `index` at the device named `name`, where it is now; false when no device has that name.
bool FindByName(const std::string& name, int& index, bool output) {
    if (name.empty() ||
        (output ? g_midiService->OutputName(index) : g_midiService->InputName(index)) == name) {
        return true;
    }
    index = output ? FindMidiOutput(name) : FindMidiInput(name);
    return index >= 0;
}

// Finds the stored devices again by name when their indices name other devices now (a server
// stopped, a device unplugged). False, after telling which device is missing, when one of them is
// gone: then nothing is opened in its place. Without stored names the indices stand.
bool FindStoredDevicesByName() {
    const auto bytes =
        g_settingsStore->ReadValue(kSettingsKey, kValueMidiDeviceNames, kMaxMidiDeviceNamesSize);
    const auto names = bytes ? DecodeMidiDeviceNames(*bytes) : std::nullopt;
    if (!names) {
        return true;
    }
    MidiDeviceState& s = g_midiDevices;
    g_midiService->OutputCount(); // the lists as they are now
    g_midiService->InputCount();
    const bool output = FindByName(names->output, s.outputDeviceIndex, true);
    const bool input = s.inputEnabled <= 0 || FindByName(names->input, s.inputDeviceIndex, false);
    if (output && input) {
        return true;
    }
    if (g_ui) {
        const std::string& missing = output ? names->input : names->output;
        g_ui->ShowMessage(Str(output ? kStrMidiInputError : kStrMidiOutputError) +
                              NotConnected(missing),
                          MessageIcon::Warning);
    }
    return false;
}

} // namespace

void LoadMidiDeviceSettings() {
    MidiDeviceState& s = g_midiDevices;
    if (g_settingsStore && g_settingsStore->KeyExists(kSettingsKey)) {
        const auto bytes =
            ReadRecord(*g_settingsStore, kSettingsKey, kValueMidiDevices, kMidiDeviceSettingsSize);
        if (const auto stored = bytes ? DecodeMidiDeviceSettings(*bytes) : std::nullopt) {
            s.inputDeviceIndex = stored->inputDeviceIndex;
            s.outputDeviceIndex = stored->outputDeviceIndex;
            s.inputEnabled = stored->inputEnabled;
            g_midiDialog.rememberedInputEnabled = stored->inputEnabled;
            if (stored->inputEnabled > 0) {
                g_midiDialog.checkbox = g_midiDialog.rememberedCheckbox = 1;
                g_midiDialog.inputListEnabled = g_midiDialog.rememberedInputListEnabled = 1;
            }
            s.devicesConfigured = 1;
        }
    }
    if (s.devicesConfigured == 0) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrFirstExecution), MessageIcon::Information);
            g_ui->SendCommand(kCommandMidiDevices);
        }
        return;
    }
    if ((!FindStoredDevicesByName() || !OpenMidiDevices()) && g_ui) {
        g_ui->SendCommand(kCommandMidiDevices);
    }
}

bool OpenMidiDevices() {
    MidiDeviceState& s = g_midiDevices;
    if (s.outputDeviceIndex < 0) {
        s.outputDeviceIndex = 0;
    }
    if (s.inputDeviceIndex < 0) {
        s.inputDeviceIndex = 0;
    }
    SetWaitCursor(true);
    ResetMidiDevices();

    s.lastResult = OpenChosenOutput();
    if (s.lastResult != kMidiOk) {
        s.openOutputIndex = -1;
        RefreshShownStatusTexts();
        SetWaitCursor(false);
        ShowError(kStrMidiOutputError, s.lastResult);
        return false;
    }
    s.outputOpened = 1;

    if (s.inputEnabled > 0) {
        if (s.openInputIndex >= 0 && s.openInputIndex != s.inputDeviceIndex) {
            CloseOpenInput(); // another input was chosen: the old one goes before the new opens
        }
        s.lastResult = OpenMidiInput(s.inputDeviceIndex);
        if (s.lastResult != kMidiOk) {
            RefreshShownStatusTexts();
            SetWaitCursor(false);
            ShowError(kStrMidiInputError, s.lastResult);
            return false;
        }
        s.inputOpened = 1;
        g_midiService->StartInput();
        g_midiService->Connect();
    } else {
        s.inputLost = 0; // no longer wanted
    }

    WriteStatusTexts();
    SetWaitCursor(false);
    return true;
}

MidiResult OpenMidiInput(int index) {
    MidiDeviceState& s = g_midiDevices;
    if (s.openInputIndex >= 0 && g_midiService->InputIsOpen() && !g_midiService->InputLost()) {
        return kMidiOk; // already open: the handle is kept
    }
    if (s.openInputIndex >= 0) {
        CloseOpenInput(); // lost: only a new opening brings it back
    }
    const MidiResult result = g_midiService->OpenInput(index, g_midiInputSink);
    s.openInputIndex = result == kMidiOk ? index : -1;
    if (result == kMidiOk) {
        s.openInputName = g_midiService->InputName(index);
        s.inputLost = 0;
    }
    return result;
}

bool ResetMidiDevices() {
    MidiDeviceState& s = g_midiDevices;
    bool ok = true;
    s.lastResult = g_midiService->ResetOutput();
    ok = ok && s.lastResult == kMidiOk;
    if (s.inputEnabled > 0) {
        s.lastResult = g_midiService->ResetInput();
        ok = ok && s.lastResult == kMidiOk;
    }
    return ok;
}

MidiResult SendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    g_midiDevices.shortMessage = {status, data1, data2, 0};
    return g_midiService->SendShort(PackShortMessage(status, data1, data2));
}

std::size_t MidiOutputRoom() {
    return g_midiService ? g_midiService->OutputRoom() : static_cast<std::size_t>(-1);
}

void SendPanic() {
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const auto status = static_cast<std::uint8_t>(0xB0 + channel);
        SendShortMessage(status, 0x7B, 0);
        SendShortMessage(status, 0x79, 0);
    }
}

MidiResult SendSystemExclusive(const std::uint8_t* data, std::size_t length) {
    g_midiDevices.lastResult = g_midiService->SendLong(data, length);
    return g_midiDevices.lastResult;
}

void CloseMidiInput() {
    MidiDeviceState& s = g_midiDevices;
    if (s.openInputIndex >= 0) {
        s.lastResult = g_midiService->CloseInput();
        s.openInputIndex = -1;
    }
}

void CloseMidiDevices() {
    MidiDeviceState& s = g_midiDevices;
    SetWaitCursor(true);
    g_midiService->Disconnect();
    g_midiService->StopInput();
    g_midiService->ResetInput();
    CloseMidiInput();
    g_midiService->ResetOutput();
    if (s.openOutputIndex >= 0) {
        s.lastResult = g_midiService->CloseOutput();
        s.openOutputIndex = -1;
    }
    s.inputLost = 0;
    s.outputLost = 0;
    s.inputOpened = 0;
    s.outputOpened = 0;
    SetWaitCursor(false);
}

bool StoreMidiDeviceSettings() {
    const MidiDeviceState& s = g_midiDevices;
    if (!g_settingsStore || !g_settingsStore->CreateKey(kSettingsKey)) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrRegistryCreateError), MessageIcon::Warning);
        }
        return false;
    }
    const MidiDeviceSettings settings{s.inputDeviceIndex, s.outputDeviceIndex, s.inputEnabled};
    const MidiDeviceNames names{g_midiService->InputName(s.inputDeviceIndex),
                                g_midiService->OutputName(s.outputDeviceIndex)};
    if (!g_settingsStore->WriteValue(kSettingsKey, kValueMidiDevices,
                                     EncodeMidiDeviceSettings(settings)) ||
        !g_settingsStore->WriteValue(kSettingsKey, kValueMidiDeviceNames,
                                     EncodeMidiDeviceNames(names))) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrRegistryWriteError), MessageIcon::Warning);
        }
        return false;
    }
    return true;
}

bool NoticeLostMidiDevices() {
    MidiDeviceState& s = g_midiDevices;
    bool noticed = false;
    if (s.openInputIndex >= 0 && g_midiService->InputLost()) {
        CloseOpenInput();
        s.inputLost = 1;
        noticed = true;
    }
    if (s.openOutputIndex >= 0 && g_midiService->OutputLost()) {
        g_midiService->Disconnect();
        g_midiService->CloseOutput();
        s.openOutputIndex = -1;
        s.outputOpened = 0;
        s.outputLost = 1;
        noticed = true;
    }
    if (noticed) {
        WriteStatusTexts();
    }
    return s.outputLost || s.inputLost;
}

bool ReopenLostMidiDevices(bool report) {
    MidiDeviceState& s = g_midiDevices;
    const std::array<std::int32_t, 2> lostBefore{s.outputLost, s.inputLost};
    g_midiService->Rescan();
    if (s.outputLost) {
        const int index = FindMidiOutput(s.openOutputName);
        if (index >= 0) {
            s.outputDeviceIndex = index;
            s.lastResult = OpenChosenOutput();
            if (!s.outputLost && s.openInputIndex >= 0) {
                g_midiService->Connect(); // an input that stayed open goes through again
            }
        }
        if (s.outputLost && report) {
            ReportNotBack(kStrMidiOutputError, index, s.openOutputName);
        }
    }
    if (s.inputLost && !s.outputLost) {
        const int index = FindMidiInput(s.openInputName);
        if (index >= 0) {
            s.inputDeviceIndex = index;
            s.lastResult = OpenMidiInput(index);
            if (s.lastResult == kMidiOk) {
                s.inputOpened = 1;
                g_midiService->StartInput();
                g_midiService->Connect();
            }
        }
        if (s.inputLost && report) {
            ReportNotBack(kStrMidiInputError, index, s.openInputName);
        }
    }
    if (lostBefore != std::array<std::int32_t, 2>{s.outputLost, s.inputLost}) {
        WriteStatusTexts();
    }
    return !s.outputLost && !s.inputLost;
}

void CheckMidiDevices() {
    if (!g_midiService || !NoticeLostMidiDevices()) {
        return;
    }
    const std::string output = g_midiDevices.outputLost ? g_midiDevices.openOutputName : "";
    const std::string input = g_midiDevices.inputLost ? g_midiDevices.openInputName : "";
    ReopenLostMidiDevices(false);
    const std::string back = !output.empty() && !g_midiDevices.outputLost ? output
                             : !input.empty() && !g_midiDevices.inputLost ? input
                                                                          : std::string();
    if (!back.empty() && g_ui) {
        g_ui->SetStatusText(kStatusPartNotice,
                            "The MIDI device \"" + back + "\" is connected again.");
    }
}
