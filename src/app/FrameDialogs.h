#pragma once
// What the "Special features!!" and About dialogs do besides showing themselves: deleting every
// stored setting and starting the system information program. (The priority buttons call
// SetProcessPriority: it is not stored, so the next start runs at the normal priority.)

// Deletes the product's whole settings key, preferences and window places alike. Nothing is
// said when it is all gone; a part the platform kept is reported, so the user knows it stayed.
void DeleteAllSettings();

// Starts the first system information program that can be started, or says that none is there.
void RunSystemInformation();
