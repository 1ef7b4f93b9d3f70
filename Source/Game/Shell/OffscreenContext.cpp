#include "Shell/OffscreenContext.h"

#include "Shell/GLView.h"

OffscreenContext::OffscreenContext()
{
    surface.setFormat(GLView::Format());
    surface.create();
    context.setFormat(GLView::Format());
    context.setShareContext(QOpenGLContext::globalShareContext());
    context.create();
}

bool OffscreenContext::MakeCurrent()
{
    return context.isValid() && context.makeCurrent(&surface);
}
