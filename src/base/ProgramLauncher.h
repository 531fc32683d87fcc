#pragma once
// Starting other programs: the sound engine, the external script editor, the volume control,
// and the desktop's opener of documents and addresses. The platform starts the process; the
// core decides what to start and with which words.

#include <string>
#include <string_view>
#include <vector>

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts `program`, looked up on the search path, with these arguments and no working folder
    // of its own. The process id, or -1 when the program could not be started.
    virtual long Launch(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// The launcher the core starts programs with; null until the program installs one.
extern ProgramLauncher* g_programLauncher;

// Splits a parameter string into words at blanks and tabs; double quotes group blanks into a
// word and are themselves dropped.
std::vector<std::string> SplitParameters(std::string_view parameters);

// Starts a program with a parameter string; true when it started. `processId` receives its id.
bool RunProgram(const std::string& program, const std::string& parameters,
                long* processId = nullptr);
// The message for a program that could not be started: it names the program, so that the user
// knows what to install or set.
std::string NotStartedMessage(const std::string& program);
// Opens a document or an address with the desktop's opener; true when the opener started.
bool OpenDocument(const std::string& pathOrAddress);
