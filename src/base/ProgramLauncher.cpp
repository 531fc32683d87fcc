#include "base/ProgramLauncher.h"

#include "resources/Strings.h"

ProgramLauncher* g_programLauncher = nullptr;

std::vector<std::string> SplitParameters(std::string_view parameters) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true; // "" is an empty word of its own
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) {
                words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

bool RunProgram(const std::string& program, const std::string& parameters, long* processId) {
    if (!g_programLauncher || program.empty()) {
        return false;
    }
    const long id = g_programLauncher->Launch(program, SplitParameters(parameters));
    if (processId) {
        *processId = id;
    }
    return id > 0;
}

std::string NotStartedMessage(const std::string& program) {
    return Str(kStrRunProcessError) + "\r\n\"" + program + "\" could not be started.";
}

bool OpenDocument(const std::string& pathOrAddress) {
    if (!g_programLauncher) {
        return false;
    }
    // One argument as it stands: a path with blanks must not be split.
    return g_programLauncher->Launch(Str(kStrDocumentOpener), {pathOrAddress}) > 0;
}
