// Ventaro.2 - Live Fader Studio.

#include <QApplication>
#include <csignal>

#include "app/Program.h"

int main(int argc, char** argv) {
    // A save beyond the file size limit must fail like a full disk and be reported, not end the
    // program with the unsaved project.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ventaro.2");
    // The program ends with its quit message, never because its last window went away.
    QApplication::setQuitOnLastWindowClosed(false);
    Program program;
    return program.Run(Program::CommandLineOf(QCoreApplication::arguments()));
}
