#pragma once
// The project's lifecycle: the save prompt, closing and opening, and the project commands of the
// main window. The windows call these; everything they need from the frame goes through g_ui.

#include <string_view>

// Not a main window command: the audio recorder's own Stop button.
inline constexpr int kCommandRecorderStop = 18003;

enum class SaveAnswer { Continue, Abort };

// Offers a changed project for saving: Yes saves (a failed save aborts), No continues, Cancel
// aborts. Continues at once when nothing changed.
SaveAnswer AskToSaveChanges();
// Returns the program to the state without a project.
void CloseProject(std::string_view path);
// Makes the current state the open project: menus, tool bar, background, its windows reopened.
void ProjectOpened();

// Command 200 up to the new-project dialog: false when the prompt stopped it. The dialog then
// runs; its OK ends in FinishNewProject (NewProject.h).
bool BeginNewProject();
void OpenProjectCommand();
void CloseProjectCommand();
void SaveProjectCommand();
void SaveProjectAsCommand();
// The save prompt and closing of command 700, the window's close request and the session's end:
// false when the user chose to keep the program running (the session's end is then refused).
bool ExitProject();
// A file dropped on the main window: the first dropped path.
void DropProjectFile(std::string_view path);
// The project named on the command line at start-up.
void OpenStartupProject(std::string_view path);
