#pragma once
// The shared file chooser's nine modes: open or save, the filters in their order, whether the
// file must exist, the default extension and the overwrite question.

#include <string>
#include <vector>

struct FileFilter {
    std::string label;                 // as the list shows it: "Ventaro projects (*.VTP)"
    std::vector<std::string> patterns; // "*.VTP"; matched whatever the letters' case
    bool allFiles = false;             // every file, with an extension or without
    bool programs = false;             // the programs: files the user may run
};

struct FileChooserMode {
    bool save = false;
    std::vector<FileFilter> filters;
    bool mustExist = true;     // open modes: the path and the file must exist
    std::string defaultSuffix; // save modes: added to a name given without extension
    bool confirmOverwrite = false;
};

// The mode's chooser; a number outside 1..9 is an open chooser of all files.
FileChooserMode FileChooserModeOf(int mode);
