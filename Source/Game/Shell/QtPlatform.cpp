#include "Shell/QtPlatform.h"

#include "Shell/GLView.h"

#include <QCoreApplication>
#include <QSurfaceFormat>

#include <cstdlib>
#include <cstring>

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
    const std::string platform = ChooseQtPlatform([](const char* name) { return std::getenv(name); });
    if (!platform.empty())
        qputenv("QT_QPA_PLATFORM", platform.c_str());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat::setDefaultFormat(GLView::Format());
}
