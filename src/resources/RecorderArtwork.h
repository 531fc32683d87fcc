#pragma once
// The audio recorder's own icons, painted like the rest of the program's artwork: "RecordButt"
// and "PauseButt". Its play and stop buttons show the panel's "Control1Icon" and "Control0Icon".

#include <QIcon>

QIcon RecordIcon();
QIcon PauseIcon();
