#include "Support/GLContext.h"

#include <QOpenGLContext>

bool GLContextIsCurrent()
{
    return QOpenGLContext::currentContext() != nullptr;
}
