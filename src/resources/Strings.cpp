#include "resources/Strings.h"

#include <algorithm>
#include <iterator>

namespace {

struct StringEntry {
    int id;
    const char* text;
};

// Kept in ascending order of number.
constexpr StringEntry kStrings[] = {
    {kStrProductName, "Ventaro.2"},
    {kStrTitle, "Ventaro.2 - Live Fader Studio"},
    {kStrProjectExtension, "vtp"},
    {kStrOrganize, "Organize"},
    {kStrMidiOutputError, "MIDI OUTPUT ERROR:\r\n"},
    {kStrMidiInputError, "MIDI INPUT ERROR:\r\n"},
    {kStrFirstExecution,
     "This is the first execution so you need to setup the\r\nMIDI input and output devices."},
    {kStrNoDevices, "No devices selected. Sorry, Ventaro can't work."},
    {kStrRegistryCreateError, "Error while creating/opening the registry entry!"},
    {kStrRegistryWriteError, "Error while writing on the registry!"},
    {kStrDevicesReset, "Current MIDI devices resetted."},
    {kStrDevicesResetError, "Error while resetting the MIDI devices!"},
    {kStrStatusIn, "In: "},
    {kStrStatusOut, "Out: "},
    {kStrStatusNone, "none"},
    {kStrFatalMidiStatus, "A fatal error occurred while reading MIDI status"},
    {kStrReady, "Ready"},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const StringEntry& a, const StringEntry& b) {
                                 return a.id < b.id;
                             }));

} // namespace

const char* LoadResourceString(int id) {
    const auto* it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                      [](const StringEntry& e, int key) { return e.id < key; });
    return it != std::end(kStrings) && it->id == id ? it->text : "";
}
