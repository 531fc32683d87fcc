#pragma once
// Where the program keeps its files on a Linux desktop.

#include <filesystem>

// $XDG_DATA_HOME/Ventaro.2 (~/.local/share/Ventaro.2 when the variable is unset).
std::filesystem::path UserDataFolder();
// The folder that stands for the fixed folder "C:\" of the embedded engine's files.
std::filesystem::path EmbeddedEngineFolder();
// Deletes the exported engine program, whether or not it exists.
void DeleteEmbeddedEngineFile();
