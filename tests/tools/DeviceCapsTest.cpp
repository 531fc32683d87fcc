#include <gtest/gtest.h>

#include "fakes/CoreServices.h"
#include "tools/DeviceCaps.h"

namespace {

class DeviceCaps : public CoreServices {};

TEST_F(DeviceCaps, AnOutputsReportHasEveryLineInOrderWithTheFallbacksFilledIn) {
    EXPECT_EQ(OutputCapsReport({1, 102, 0x00050001, "Out A", 7, 32, 64, 0xFFFF, 3}),
              "Manifacturer identifier:\t1\r\n"
              "Product identifier:\t\t102\r\n"
              "Driver version:\t\t\t5.1\r\n"
              "Product name:\t\t\tOut A\r\n"
              "Technology:\t\t\t7\r\n"
              "Number of voices:\t\t32\r\n"
              "Simultaneous notes:\t\t64\r\n"
              "Channel mask:\t\t\t65535\r\n"
              "Optional funcionality:\t\t3\r\n");
    MidiDeviceCaps unknown;
    unknown.name = "%s%d"; // a name is shown as it is, never read as a format
    unknown.driverVersion = 0xFFFF0000;
    unknown.support = 0xFFFFFFFF;
    EXPECT_EQ(InputCapsReport(unknown), "Manifacturer identifier:\tUnknown\r\n"
                                        "Product identifier:\t\tUnknown\r\n"
                                        "Driver version:\t\t\t65535.0\r\n"
                                        "Product name:\t\t\t%s%d\r\n"
                                        "Optional funcionality:\t\t4294967295\r\n");
}

TEST_F(DeviceCaps, EachTechnologyAndSupportValueHasItsLine) {
    const std::pair<std::uint16_t, const char*> technologies[] = {
        {0, "Technology:\t\t\t0\r\n"},
        {5, "Technology:\t\t\tMicrosoft MIDI mapper\r\n"},
        {6, "Technology:\t\t\t6\r\n"},
    };
    for (const auto& [technology, line] : technologies) {
        MidiDeviceCaps caps;
        caps.technology = technology;
        EXPECT_NE(OutputCapsReport(caps).find(line), std::string::npos) << technology;
    }
    const std::pair<std::uint32_t, const char*> supports[] = {
        {0, "Optional functionality:\t\tNone\r\n"},
        {8, "Optional functionality:\t\tSupport the midiStreamOut function\r\n"},
        {12, "Optional funcionality:\t\t12\r\n"},
    };
    for (const auto& [support, line] : supports) {
        MidiDeviceCaps caps;
        caps.support = support;
        const std::string report = InputCapsReport(caps);
        EXPECT_EQ(report.substr(report.rfind("Optional")), line) << support;
    }
}

// The record holds 31 characters of the name; a UTF-8 character is never cut in two.
TEST_F(DeviceCaps, TheNameIsCutTo31CharactersOnACharactersBoundary) {
    MidiDeviceCaps caps;
    caps.name = std::string(30, 'x') + "\xC3\xA9" + "z"; // é across bytes 31 and 32
    EXPECT_NE(InputCapsReport(caps).find("\t" + std::string(30, 'x') + "\r\n"), std::string::npos);
    caps.name = std::string(29, 'x') + "\xC3\xA9" + "z";
    EXPECT_NE(InputCapsReport(caps).find("\t" + std::string(29, 'x') + "\xC3\xA9\r\n"),
              std::string::npos);
}

// The current devices' reports come from the service; input off is "No device selected.".
TEST_F(DeviceCaps, TheCurrentDevicesAreDescribedByTheServiceAndADisabledInputIsNone) {
    g_midiDevices.outputDeviceIndex = 1;
    g_midiDevices.inputEnabled = -1;
    EXPECT_EQ(CurrentInputReport(), "No device selected.");
    const std::string output = CurrentOutputReport();
    EXPECT_NE(output.find("Product name:\t\t\tOut B\r\n"), std::string::npos);

    g_midiDevices.inputEnabled = 1;
    g_midiDevices.inputDeviceIndex = 2;
    EXPECT_NE(CurrentInputReport().find("Product name:\t\t\tLoopback\r\n"), std::string::npos);
    // A device no longer listed is said to be so, not shown with another's details.
    g_midiDevices.inputDeviceIndex = 3;
    EXPECT_EQ(CurrentInputReport(), "The capabilities of this device can't be read: The "
                                    "specified device identifier is out of range.");
    g_midiDevices.outputDeviceIndex = -1;
    EXPECT_EQ(CurrentOutputReport().rfind("The capabilities", 0), 0u);
}

} // namespace
