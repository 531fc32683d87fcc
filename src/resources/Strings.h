#pragma once
// The string table: every message, label and help line of the program under a fixed number.
// Command help lines are numbered by their command; the messages without a number of their own
// are numbered from 2000 on.

#include <string>

enum StringId : int {
    kStrProductName = 1,
    kStrTitle = 2,
    kStrProjectExtension = 24,
    kStrOrganize = 87,

    kStrMidiOutputError = 2000,
    kStrMidiInputError = 2001,
    kStrFirstExecution = 2002,
    kStrNoDevices = 2003,
    kStrRegistryCreateError = 2004,
    kStrRegistryWriteError = 2005,
    kStrDevicesReset = 2006,
    kStrDevicesResetError = 2007,
    kStrStatusIn = 2008,
    kStrStatusOut = 2009,
    kStrStatusNone = 2010,
    kStrFatalMidiStatus = 2011,
    kStrReady = 2012,
};

// The text of a string, or an empty text for a number the table does not hold.
const char* LoadResourceString(int id);

inline std::string Str(int id) {
    return LoadResourceString(id);
}
