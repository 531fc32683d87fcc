#pragma once
// "PanicIcon", the Send MIDI message window's panic button, painted like the rest of the
// program's artwork. Its send button shows the panel's "Control3Icon" (PanelControlIcon(3)).

#include <QIcon>

QIcon PanicIcon();
