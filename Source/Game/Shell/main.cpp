#include <GL/glew.h>

#include "Shell/MainWindow.h"
#include "Shell/QtPlatform.h"
#include "Support/MemoryPolicy.h"

#include <QApplication>

int main(int argc, char* argv[])
{
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
