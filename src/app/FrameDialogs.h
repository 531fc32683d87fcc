#pragma once
// What the "Special features!!" and About dialogs do besides showing themselves: deleting every
// stored setting, the program's priority, and starting the system information program.

#include "base/ProcessPriority.h"

// Deletes the product's whole settings key, preferences and window places alike. Nothing is
// said when it is all gone; a part the platform kept is reported, so the user knows it stayed.
void DeleteAllSettings();

// The priority buttons; not stored, so the next start runs at the normal priority.
void SetPriorityFromDialog(PriorityClass priority);

// Starts the first system information program that can be started, or says that none is there.
void RunSystemInformation();
