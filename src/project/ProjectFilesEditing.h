#pragma once
// The rules of the "Project additional files..." dialog: the project's two script paths, its
// audio output file and its audio format, apart from showing them.

#include <string>
#include <string_view>

#include "engine/EngineSettingsEditing.h"

AdditionalFiles ProjectFilesToEdit();
// A file chosen with "Browse" goes straight into the live path; Cancel takes it back out.
void ChooseProjectFile(AdditionalFileField field, const std::string& path);
// OK: a path longer than its field is refused with a message and nothing changes (false).
// Otherwise the audio file and format and the script paths are committed, and the project
// manager, whose tree shows these files, is made again with their branch selected.
bool ConfirmProjectFiles(std::string_view script1, std::string_view script2,
                         std::string_view audioFile, int audioFormat);
// Cancel: the committed paths come back.
void CancelProjectFiles();

extern const AdditionalFilesRole kProjectFilesRole;
