// Renders the water and one burst of each particle kind off-screen and saves
// the picture, for looking at the effects without the rest of the game.
// Run it in the repository root (or any folder holding Resources/Water.vert,
// Resources/Water.frag and Resources/Particles/):  effects_shot out.png
#include <GL/glew.h>

#include "Effects/FireParticle.h"
#include "Effects/FramebufferObject.h"
#include "Effects/SmokeParticle.h"
#include "Effects/SparksParticle.h"
#include "Effects/Water.h"
#include "Shell/OffscreenContext.h"
#include "Shell/QtPlatform.h"
#include "Support/Exception.h"

#include <GL/glu.h>
#include <IL/il.h>
#include <QApplication>

#include <iostream>
#include <list>
#include <memory>
#include <vector>

namespace {

const int width = 800, height = 600;

/// An axis-aligned box from `low` to `high`, all faces outwards, flat colours.
void DrawBox(Vec3 low, Vec3 high, float r, float g, float b)
{
    const float x[2] = {low.x, high.x}, y[2] = {low.y, high.y}, z[2] = {low.z, high.z};
    // Each face as four corner indices (bit 0 x, bit 1 y, bit 2 z), counter-clockwise from outside.
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    const float shade[6] = {0.4f, 1.0f, 0.7f, 0.8f, 0.6f, 0.9f};
    glBegin(GL_QUADS);
    for (int f = 0; f < 6; ++f) {
        glColor3f(r * shade[f], g * shade[f], b * shade[f]);
        for (int corner : faces[f])
            glVertex3f(x[corner & 1], y[(corner >> 1) & 1], z[(corner >> 2) & 1]);
    }
    glEnd();
}

struct Scene
{
    std::list<std::unique_ptr<ParticleSystem>> bursts;

    void Draw()
    {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        DrawBox(Vec3(-30, -30, -3), Vec3(30, 40, -2), 0.8f, 0.7f, 0.45f); // lake floor
        DrawBox(Vec3(-4, 2, 0.2f), Vec3(-1, 5, 3), 0.9f, 0.2f, 0.2f);     // red block above the water
        DrawBox(Vec3(2, 4, -1.8f), Vec3(5, 7, -0.6f), 0.2f, 0.3f, 0.9f);  // blue block below it
        glEnable(GL_TEXTURE_2D);
        for (auto& burst : bursts)
            burst->Draw();
        glDisable(GL_LIGHTING);
    }
};

void Save(const std::string& path)
{
    std::vector<unsigned char> rgb(width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, rgb.data()); // row 0 is the bottom, as read
    ilEnable(IL_FILE_OVERWRITE);
    ilSave(IL_PNG, path.c_str());
    ilDeleteImages(1, &image);
}

/// A window-sized colour and depth target: the hidden widget's own pixels are undefined.
void AttachFrameTarget(FramebufferObject& frame)
{
    GLuint colour = 0, depth = 0;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    frame.AttachTexture(GL_TEXTURE_2D, colour, GL_COLOR_ATTACHMENT0_EXT, 0, 0);
    frame.AttachRenderbuffer(depth, GL_DEPTH_ATTACHMENT_EXT);
}

/// One frame as the game draws it: camera, water passes, water, scene.
void Render(Scene& scene, Water& water, FramebufferObject& frame)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / height, 0.5, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, -16, 7, 0, 4, 0, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(0.45f, 0.65f, 0.95f, 1.0f);
    water.RenderTextures(); // ends on framebuffer 0, so the frame target is bound after it
    frame.Bind();
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    water.Draw();
    scene.Draw();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: effects_shot out.png" << std::endl;
        return 2;
    }
    PrepareQtApplication();
    QApplication app(argc, argv);
    OffscreenContext context;
    if (!context.MakeCurrent()) {
        std::cerr << "effects_shot: no OpenGL context" << std::endl;
        return 1;
    }
    glewInit();
    try {
        Scene scene;
        Water water([&scene] { scene.Draw(); });
        scene.bursts.emplace_back(new SmokeParticle(Vec3(-5, 8, 1)));
        scene.bursts.emplace_back(new FireParticle(Vec3(0, 6, 1.5f), Vec3(1, 1, 0), 3.0f));
        scene.bursts.emplace_back(new FireParticle(Vec3(0, 6, 1.5f), Vec3(1, 0, 0), 1.5f));
        scene.bursts.emplace_back(new SparksParticle(Vec3(4, 1, 0.5f), Vec3(0.3f, 1, 0.3f)));
        for (int tick = 0; tick < 25; ++tick) {
            water.Update(0.02f);
            for (auto& burst : scene.bursts)
                burst->Update(0.02f);
        }
        FramebufferObject frame;
        AttachFrameTarget(frame);
        Render(scene, water, frame);
        Save(argv[1]);
        FramebufferObject::Unbind();
    } catch (const std::exception& e) {
        PrintReport(e);
        return 1;
    }
    return 0;
}
