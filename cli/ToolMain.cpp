// ventaro-tool: the companion command line for scripting and checking.

#include <csignal>
#include <cstdio>

#include "Commands.h"

namespace {

void PrintUsage(std::FILE* stream) {
    std::fputs(
        "usage: ventaro-tool noise SELECTOR SEED COUNT [--deviate exp|gauss]\n"
        "       ventaro-tool slider --bits 7|14 --channel 1..16 --cc A[,B]"
        " --curve linear|log|quadratic|cubic|random [--seed S] [--min X --max Y]"
        " --positions P1,P2,...\n"
        "       ventaro-tool midi list\n"
        "       ventaro-tool midi send --out N|NAME B1 B2 B3   (bytes in hexadecimal: 90 or 0x90)\n"
        "       ventaro-tool midi panic --out N|NAME\n"
        "       ventaro-tool midi monitor --in N|NAME [--out N|NAME] [--count K] "
        "[--show-active-sensing]\n"
        "       ventaro-tool project new --bits 7|14 --sliders N -o FILE\n"
        "       ventaro-tool project info FILE\n"
        "       ventaro-tool csound header|orchestra|pfields FILE\n"
        "       ventaro-tool csound ftable 1..13\n"
        "       ventaro-tool engine cmdline [FILE.vtp]\n"
        "       ventaro-tool engine run FILE.vtp [--seconds N]\n"
        "       ventaro-tool sysex parse TEXT\n"
        "       ventaro-tool sysex send --out N|NAME FILE.syx|--text TEXT\n"
        "       ventaro-tool sysex format FILE.syx\n"
        "       ventaro-tool find FILE.vtp --by name|value|min|max|type|channel|cc1|cc2 TEXT\n"
        "       ventaro-tool morph FILE.vtp --corners A,B,C,D --fx 0..1 --fy 0..1\n"
        "       ventaro-tool audio record FILE --seconds N [--format 0..15]\n"
        "       ventaro-tool audio play FILE\n",
        stream);
}

} // namespace

int Usage() {
    PrintUsage(stderr);
    return 2;
}

int main(int argc, char** argv) {
    // A write beyond the file size limit fails and is reported like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        return Usage();
    }
    const std::string command = argv[1];
    // Asked for, the usage is the answer: it goes to standard output with success.
    if (command == "--help" || command == "-h") {
        PrintUsage(stdout);
        return 0;
    }
    const Args args(argv + 2, argv + argc);
    if (command == "noise") {
        return RunNoiseCommand(args);
    }
    if (command == "slider") {
        return RunSliderCommand(args);
    }
    if (command == "midi") {
        return RunMidiCommand(args);
    }
    if (command == "project") {
        return RunProjectCommand(args);
    }
    if (command == "csound") {
        return RunCsoundCommand(args);
    }
    if (command == "engine") {
        return RunEngineCommand(args);
    }
    if (command == "find") {
        return RunFindCommand(args);
    }
    if (command == "morph") {
        return RunMorphCommand(args);
    }
    if (command == "sysex") {
        return RunSysexCommand(args);
    }
    if (command == "audio") {
        return RunAudioCommand(args);
    }
    return Usage();
}
