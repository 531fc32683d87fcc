// ventaro-tool csound: the Csound text the editor's Insert menu would insert, from a project file.

#include <cstdio>

#include "Commands.h"
#include "ToolArgs.h"
#include "ToolProjectFile.h"
#include "base/AllState.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "scripts/ScriptCommands.h"

namespace {

int PrintPieces(const std::vector<std::string>& pieces) {
    for (const std::string& piece : pieces) {
        std::fwrite(piece.data(), 1, piece.size(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int RunCsoundCommand(const Args& args) {
    if (args.size() != 2) {
        return Usage();
    }
    const std::string& form = args[0];
    if (form == "ftable") {
        const auto piece = ParseInteger(args[1], 1, 13);
        if (!piece) {
            return Usage();
        }
        return PrintPieces(InsertMenuPieces(
            kCommandInsertFirstTable + 1000 * static_cast<int>(*piece - 1), kDefaultAudioFormat));
    }
    int command = 0;
    if (form == "header") {
        command = kCommandInsertHeader;
    } else if (form == "orchestra") {
        command = kCommandInsertOrchestra;
    } else if (form == "pfields") {
        command = kCommandInsertPFields;
    } else {
        return Usage();
    }
    ProjectHeader header;
    std::vector<std::uint8_t> image;
    if (!ReadToolProject(args[1], header, image)) {
        return 1;
    }
    // The project as the program holds it once opened; the Insert menu reads that state.
    ResetAllState();
    TakeProjectImage(header, image);
    return PrintPieces(InsertMenuPieces(command, g_audioFormatIndex));
}
