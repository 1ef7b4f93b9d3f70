#include <GL/glew.h>

#include "Shell/MainWindow.h"
#include "Support/MemoryPolicy.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    UseReturnableLargeBlocks();
    QApplication application(argc, argv);
    MainWindow* window = new MainWindow(); // lives until the process ends
    QApplication::setActiveWindow(window);
    window->resize(800, 600);
    window->show();
    QObject::connect(&application, SIGNAL(lastWindowClosed()), &application, SLOT(quit()));
    return application.exec();
}
