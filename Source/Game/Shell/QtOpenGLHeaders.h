#pragma once

// Qt's OpenGL classes for code that calls GL through GLEW. GLEW's header must
// come first (it refuses to follow the system's gl.h, which Qt's headers pull
// in); Qt's headers then warn that they follow GLEW, although their gl.h and
// glext.h are already guarded out by it. The warning is hidden here, once.
#include <GL/glew.h>

#pragma push_macro("__GLEW_H__")
#undef __GLEW_H__
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLWindow>
#pragma pop_macro("__GLEW_H__")
