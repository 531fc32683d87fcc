#pragma once
// Where each command of the main window goes. The main window only dispatches: each subsystem
// routes the commands it carries out when the program installs it, and a command nobody routes
// does nothing.

#include <functional>

using CommandHandler = std::function<void()>;

// Routes a command to its handler, replacing an earlier route.
void RouteCommand(int command, CommandHandler handler);
bool IsCommandRouted(int command);
// Runs the command's handler; false when the command is not routed.
bool DispatchCommand(int command);
// Forgets every route (for tests).
void ResetCommandRoutes();
