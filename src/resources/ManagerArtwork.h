#pragma once
// The project manager tree's icons, painted like the rest of the program's artwork, in the
// order of the tree's image list: "0MAINICON", "PANELICON", "SNAPICON", "TRANSITIONICON",
// "SCRIPTICON", "ENTRYICON" and "LOCKEDICON".

#include <QIcon>

inline constexpr int kProjectTreeIconCount = 7;

// Icon `index` 0..6 of the list above; any other index gives the entry icon.
QIcon ProjectTreeIcon(int index);
