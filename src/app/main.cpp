// Ventaro.2 - Live Fader Studio.

#include <QApplication>

#include "app/Program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ventaro.2");
    // The program ends with its quit message, never because its last window went away.
    QApplication::setQuitOnLastWindowClosed(false);
    Program program;
    return program.Run(Program::CommandLineOf(QCoreApplication::arguments()));
}
