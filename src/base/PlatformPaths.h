#pragma once
// Where the program keeps its files on a Linux desktop.

#include <filesystem>

// The user's home: $HOME when it is an absolute path, else the password database's entry; empty
// when neither names one. Never a shared folder in its place.
std::filesystem::path HomeFolder();
// $XDG_CONFIG_HOME, or ~/.config when the variable is unset or not absolute; empty without a home.
std::filesystem::path UserConfigFolder();
// $XDG_DATA_HOME/Ventaro.2 (~/.local/share/Ventaro.2 when the variable is unset); empty without a
// home.
std::filesystem::path UserDataFolder();
// Whether an existing folder may hold the user's own files: a folder of the user's that not
// everybody may write. Another user could otherwise plant values the program later opens or runs.
bool IsPrivateFolder(const std::filesystem::path& folder);
// The folder that stands for the fixed folder "C:\" of the embedded engine's files; empty without
// a home.
std::filesystem::path EmbeddedEngineFolder();
