#include "tools/DeviceCaps.h"

#include "midi/MidiDevices.h"
#include "resources/Strings.h"

namespace {

// The string's first conversion ("%d", "%ld" or "%s") filled with `value`.
std::string FillIn(const std::string& format, const std::string& value) {
    const std::size_t at = format.find('%');
    if (at == std::string::npos) {
        return format;
    }
    std::size_t end = at + 1;
    while (end < format.size() && format[end] == 'l') {
        ++end;
    }
    return format.substr(0, at) + value + format.substr(end + 1);
}

std::string FillIn(const std::string& format, unsigned long value) {
    return FillIn(format, std::to_string(value));
}

// At most 31 bytes, never ending inside a UTF-8 sequence.
std::string CapsName(const std::string& name) {
    if (name.size() <= kCapsNameLength) {
        return name;
    }
    std::size_t length = kCapsNameLength;
    while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) {
        --length;
    }
    return name.substr(0, length);
}

std::string IdentifierLine(int label, std::uint16_t id) {
    return Str(label) + (id == 0 ? Str(kStrCapsUnknown) : FillIn(Str(kStrCapsNumber), id));
}

std::string TechnologyLine(std::uint16_t technology) {
    if (technology >= 1 && technology <= 5) {
        return Str(kStrCapsTechnologyMidiPort + technology - 1);
    }
    return FillIn(Str(kStrCapsTechnologyOther), technology);
}

std::string SupportLine(std::uint32_t support) {
    switch (support) {
    case 0:
        return Str(kStrCapsSupportNone);
    case 1:
        return Str(kStrCapsSupportVolume);
    case 2:
        return Str(kStrCapsSupportLrVolume);
    case 4:
        return Str(kStrCapsSupportCache);
    case 8:
        return Str(kStrCapsSupportStream);
    default:
        return FillIn(Str(kStrCapsSupportOther), support);
    }
}

// The lines both reports open with.
std::string CommonLines(const MidiDeviceCaps& caps) {
    return IdentifierLine(kStrCapsManufacturer, caps.manufacturerId) +
           IdentifierLine(kStrCapsProduct, caps.productId) +
           FillIn(FillIn(Str(kStrCapsDriverVersion), caps.driverVersion >> 16),
                  caps.driverVersion & 0xFFFF) +
           FillIn(Str(kStrCapsName), CapsName(caps.name));
}

std::string Unreadable(MidiResult result) {
    return Str(kStrCapsUnreadable) + (g_midiService ? g_midiService->ErrorText(result) : "");
}

} // namespace

std::string OutputCapsReport(const MidiDeviceCaps& caps) {
    return CommonLines(caps) + TechnologyLine(caps.technology) +
           FillIn(Str(kStrCapsVoices), caps.voices) + FillIn(Str(kStrCapsNotes), caps.notes) +
           FillIn(Str(kStrCapsChannelMask), caps.channelMask) + SupportLine(caps.support);
}

std::string InputCapsReport(const MidiDeviceCaps& caps) {
    return CommonLines(caps) + SupportLine(caps.support);
}

std::string CurrentInputReport() {
    if (g_midiDevices.inputEnabled <= 0) {
        return Str(kStrCapsNoDevice);
    }
    MidiDeviceCaps caps;
    const MidiResult result = g_midiService
                                  ? g_midiService->InputCaps(g_midiDevices.inputDeviceIndex, caps)
                                  : kMidiErrorNoDriver;
    return result == kMidiOk ? InputCapsReport(caps) : Unreadable(result);
}

std::string CurrentOutputReport() {
    MidiDeviceCaps caps;
    const MidiResult result = g_midiService
                                  ? g_midiService->OutputCaps(g_midiDevices.outputDeviceIndex, caps)
                                  : kMidiErrorNoDriver;
    return result == kMidiOk ? OutputCapsReport(caps) : Unreadable(result);
}
