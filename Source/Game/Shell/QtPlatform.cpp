#include "Shell/QtPlatform.h"

#include "Shell/GLView.h"
#include "Shell/RendererThreads.h"

#include <QCoreApplication>
#include <QSurfaceFormat>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

bool IsSet(const char* value)
{
    return value && *value;
}

} // namespace

std::string ChooseQtPlatform(const EnvironmentLookup& environment)
{
    if (IsSet(environment("QT_QPA_PLATFORM")))
        return ""; // the player's choice stands
    const char* session = environment("XDG_SESSION_TYPE");
    const bool wayland = IsSet(environment("WAYLAND_DISPLAY")) || (session && std::strcmp(session, "wayland") == 0);
    return wayland && IsSet(environment("DISPLAY")) ? "xcb" : "";
}

void PrepareQtApplication()
{
    const EnvironmentLookup environment = [](const char* name) { return std::getenv(name); };
    const std::string platform = ChooseQtPlatform(environment);
    if (!platform.empty())
        qputenv("QT_QPA_PLATFORM", platform.c_str());
    // Read when the first GL context is made, so set before the application exists.
    const std::string threads = ChooseRendererThreads(environment, std::thread::hardware_concurrency());
    if (!threads.empty())
        qputenv("LP_NUM_THREADS", threads.c_str());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat::setDefaultFormat(GLView::Format());
}
