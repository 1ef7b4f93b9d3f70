#include "SheetRenderer.h"

#include "Assets/StaticModel.h"

#include <GL/glu.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

SheetRenderer::SheetRenderer(int columns, int rows, int tileWidth, int tileHeight)
    : columns(columns), rows(rows), tileWidth(tileWidth), tileHeight(tileHeight)
{
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colourBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, columns * tileWidth, rows * tileHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
    glGenRenderbuffers(1, &depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, columns * tileWidth, rows * tileHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        throw std::runtime_error("off-screen picture could not be set up");
    glClearColor(0.35f, 0.35f, 0.4f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The game's fixed state (GL view and frame set-up).
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_NORMALIZE);
}

SheetRenderer::~SheetRenderer()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &depthBuffer);
    glDeleteRenderbuffers(1, &colourBuffer);
    glDeleteFramebuffers(1, &framebuffer);
}

void SheetRenderer::BeginTile(int index, double fieldOfView, double farPlane)
{
    const int column = index % columns, row = index / columns;
    // GL rows count from the bottom; tile 0 is the top left one.
    glViewport(column * tileWidth, (rows - 1 - row) * tileHeight, tileWidth, tileHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, static_cast<double>(tileWidth) / tileHeight, 0.1, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    const GLfloat ambient[] = {0.125f, 0.117647f, 0.117647f, 1}, diffuse[] = {1, 0.941176f, 0.941176f, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT0);
    glColor4f(1, 1, 1, 1);
}

void SheetRenderer::DrawPiece(int index, StaticModel& model, bool alphaTested)
{
    const CollisionModel box = model.GetCollisionModel();
    const Vec3 centre = (box.min + box.max) * 0.5f, size = box.max - box.min;
    const float radius = 0.5f * std::sqrt(size.x * size.x + size.y * size.y + size.z * size.z);
    const float distance = radius / std::sin(15 * 3.14159f / 180) * 1.05f;
    DrawPieceFrom(index, model, alphaTested, centre + Vec3(-0.45f, -0.8f, 0.55f).normalize() * distance, centre);
}

void SheetRenderer::DrawPieceFrom(int index, StaticModel& model, bool alphaTested, Vec3 eye, Vec3 centre)
{
    BeginTile(index, 30, 1000);
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, 0, 0, 1);
    const GLfloat light[] = {0.4f, -0.8f, 1, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    if (alphaTested) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glAlphaFunc(GL_GREATER, 0.1f);
        glEnable(GL_ALPHA_TEST);
    }
    model.Draw();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

void SheetRenderer::DrawSky(int index, StaticModel& sky)
{
    BeginTile(index, 90);
    gluLookAt(0, 0, 0, 0, 1, 0.25, 0, 0, 1);
    glDisable(GL_LIGHTING);
    glScalef(150, 150, 150);
    sky.Draw();
}

QImage SheetRenderer::Picture(const std::string* labels, int count, int shrink) const
{
    const int width = columns * tileWidth, height = rows * tileHeight;
    QImage picture(width, height, QImage::Format_RGBA8888);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, picture.bits());
    picture = picture.mirrored(false, true).convertToFormat(QImage::Format_RGB32);
    picture = picture.scaled(width / shrink, height / shrink, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int w = tileWidth / shrink, h = tileHeight / shrink;
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPixelSize(std::max(11, h / 20));
    painter.setFont(font);
    for (int i = 0; i < count; ++i) {
        const QRect tile((i % columns) * w, (i / columns) * h, w, h);
        painter.setPen(Qt::black);
        painter.drawText(tile.adjusted(7, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(labels[i]));
        painter.setPen(Qt::white);
        painter.drawText(tile.adjusted(6, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(labels[i]));
        painter.drawRect(tile.adjusted(0, 0, -1, -1));
    }
    return picture;
}
