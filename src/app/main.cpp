// Ventaro.2 - Live Fader Studio.

#include <QApplication>

#include "app/Program.h"

void Mark(const char*);
int main(int argc, char** argv) {
    Mark("main");
    QApplication app(argc, argv);
    Mark("app");
    QApplication::setApplicationName("Ventaro.2");
    // The program ends with its quit message, never because its last window went away.
    QApplication::setQuitOnLastWindowClosed(false);
    Program program;
    return program.Run(Program::CommandLineOf(QCoreApplication::arguments()));
}
