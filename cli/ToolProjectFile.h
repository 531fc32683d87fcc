#pragma once
// Reading a project file for ventaro-tool, with the checks and messages of the program's reader.

#include <cstdint>
#include <string>
#include <vector>

#include "project/ProjectFile.h"

// Reads and checks FILE; on refusal prints the reader's message to stderr and returns false.
// The header's gesture corners are lowered into range as the reader lowers them.
bool ReadToolProject(const std::string& path, ProjectHeader& header,
                     std::vector<std::uint8_t>& image);
