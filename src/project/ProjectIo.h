#pragma once
// Writing and reading the open project's file, and telling whether the project differs from it.

#include <cstdint>
#include <span>

#include "project/ProjectFile.h"

// Writes the project to g_projectPath, asking for a file first while it is untitled. 1 when the
// file and both scripts were written; 0 when the user cancelled or anything failed (reported),
// in which case the previous file is still whole on disk.
std::int32_t WriteProject();
// Reads g_projectPath; a file that cannot be used is refused whole, with nothing of it taken.
// On success the project is open (ProjectOpened has run). 1 on success, 0 on failure.
std::int32_t ReadProject();
// Sets g_projectDirty when anything differs from the file last read or written; never clears it.
void DetectProjectChanges();

// The header the writer would write now: the state's fields over the last header's bytes.
ProjectHeader HeaderFromState();
// Keeps each gesture corner within the snapshots (0 when there are none).
void LowerGestureCorners(ProjectHeader& header);
// Takes a checked image into the state: the header's fields (not its name), the slider records
// and the snapshot records, each into the live and the saved copy.
void TakeProjectImage(const ProjectHeader& header, std::span<const std::uint8_t> image);
