#include <GL/glew.h>

#include "Shell/MainWindow.h"
#include "Shell/QtPlatform.h"
#include "Support/MemoryPolicy.h"

#include <QApplication>

#include <cstring>
#include <iostream>

namespace {

const char* const kHelp =
    "Usage: mirage [Qt options]\n"
    "       mirage --version | --help\n"
    "\n"
    "A 3D breakout game: steer the paddle with the mouse, the left button launches a ball.\n"
    "The game reads Config.cfg and Resources/ from its working folder; the installed\n"
    "command keeps one for each player in $XDG_DATA_HOME/mirage (~/.local/share/mirage).\n"
    "\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Other options go to Qt, for example -platform xcb. See mirage(6).\n";

// Answers --version and --help (-h) before anything else runs, so neither needs a display.
// Every other argument is Qt's. Returns whether it answered.
bool AnswerInformationOption(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "mirage " MIRAGE_VERSION << std::endl;
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kHelp << std::flush;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (AnswerInformationOption(argc, argv))
        return 0;
    UseReturnableLargeBlocks();
    PrepareQtApplication();
    QApplication application(argc, argv);
    MainWindow* window = new MainWindow(); // lives until the process ends
    QApplication::setActiveWindow(window);
    window->resize(800, 600);
    window->show();
    QObject::connect(&application, SIGNAL(lastWindowClosed()), &application, SLOT(quit()));
    return application.exec();
}
