#pragma once
// Plugs the project lifecycle into the program's frame: the project commands of the main window,
// the project's steps of the main window's creation, exit, drop and start-up.

#include <functional>

class QWidget;

// `owner` gives the window the new-project dialog opens over (the main window).
void InstallProjectCommands(std::function<QWidget*()> owner);
