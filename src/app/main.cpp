// Wires one run of the game: the Qt application, the desktop it offers the windows, and the
// program with its shared settings and two windows.

#include <QApplication>

#include "qt/qt_desktop.h"
#include "qt/qt_event_loop.h"
#include "ui/program/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    koropika::QtEventLoop loop;
    koropika::QtDesktop desktop;
    koropika::Program program(loop, desktop);
    program.start();
    return QApplication::exec();
}
