#include "app/FileChooserModes.h"

#include "resources/Strings.h"

namespace {

FileFilter Filter(const char* label, const char* pattern) {
    return {label, {pattern}, false, false};
}

// On this platform "*.*" would hide every file without a dot, programs among them, so the
// all-files entry matches every file.
FileFilter AllFiles() {
    return {"All files (*.*)", {"*"}, true, false};
}

FileFilter Orchestras() {
    return Filter("Csound orchestras (*.ORC)", "*.ORC");
}
FileFilter Scores() {
    return Filter("Csound scores (*.SCO)", "*.SCO");
}
FileFilter Documents() {
    return Filter("Csound documents (*.CSD)", "*.CSD");
}
FileFilter Projects() {
    return Filter("Ventaro projects (*.VTP)", "*.VTP");
}
FileFilter SysEx() {
    return Filter("SysEx binary files (*.SYX)", "*.SYX");
}

FileChooserMode Open(std::vector<FileFilter> filters, bool mustExist = true) {
    FileChooserMode mode;
    mode.filters = std::move(filters);
    mode.mustExist = mustExist;
    return mode;
}

FileChooserMode Save(std::vector<FileFilter> filters, std::string suffix) {
    FileChooserMode mode;
    mode.save = true;
    mode.filters = std::move(filters);
    mode.mustExist = false;
    mode.defaultSuffix = std::move(suffix);
    mode.confirmOverwrite = true;
    return mode;
}

} // namespace

FileChooserMode FileChooserModeOf(int mode) {
    switch (mode) {
    case 1: {
        FileFilter programs = Filter("Programs (*.EXE)", "*.EXE");
        programs.programs = true; // programs here carry no extension: the runnable files
        return Open({programs, AllFiles()});
    }
    case 2:
        return Open({Filter("HTML documentation (*.HTML)", "*.HTML"), AllFiles()});
    case 3:
        return Open({Projects(), AllFiles()});
    case 4:
        return Open({Orchestras(), Scores(), Documents(), AllFiles()}, false);
    case 5:
        return Open({Scores(), Orchestras(), Documents(), AllFiles()}, false);
    case 6:
        return Save({Filter("Windows PCM (*.WAV)", "*.WAV"), AllFiles()}, "wav");
    case 7:
        return Save({Projects(), AllFiles()}, Str(kStrProjectExtension));
    case 8:
        return Open({SysEx(), AllFiles()});
    case 9:
        return Save({SysEx(), AllFiles()}, "syx");
    default:
        return Open({AllFiles()});
    }
}
