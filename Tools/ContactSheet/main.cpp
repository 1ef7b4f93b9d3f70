// Contact sheet of the game's meshes: loads each one through the game's own loader (in a
// temporary copy of Resources/, so no stale cache is read) and draws it with the game's
// light into one labelled PNG, followed by the assembled scene from the three cameras.
//   contact_sheet <repository root> <output.png>

#include <GL/glew.h>

#include "Assets/StaticModel.h"
#include "Shell/OffscreenContext.h"
#include "Shell/QtPlatform.h"
#include "SheetRenderer.h"

#include <GL/glu.h>

#include <QApplication>
#include <QTemporaryDir>

#include <boost/filesystem.hpp>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

namespace {

namespace fs = boost::filesystem;

const char* const kMeshes[] = {"SkySphere/SkySphere.obj", "Oasis/terrain.obj", "Oasis/trees.obj",
                               "Block/Block.obj", "ExplosionBlock/Dynamite.obj", "ExtraBlock/Barrel.obj",
                               "LauncherBlock/LauncherBlock.obj", "Extra01/Extra.obj", "Paddle/Paddle.obj"};
constexpr int kMeshCount = 9, kTiles = 12, kShrink = 2;

struct Models
{
    StaticModel meshes[kMeshCount];
    StaticModel& sky() { return meshes[0]; }
    StaticModel& terrain() { return meshes[1]; }
    StaticModel& trees() { return meshes[2]; }
};

// A few rows of a level: letters as the level builder reads them.
const char* const kRows[] = {"   1 L 1 E 1 S 1    ", "    1 2 1 2 1 2 1   ", "   3 2 4 2 5 2 6    "};

void DrawPieceAt(StaticModel& model, float x, float y, float r, float g, float b)
{
    glPushMatrix();
    glTranslatef(x, y, 0);
    glColor3f(r, g, b);
    model.Draw();
    glColor3f(1, 1, 1);
    glPopMatrix();
}

void DrawField(Models& models)
{
    for (int row = 0; row < 3; ++row)
        for (int column = 0; kRows[row][column]; ++column) {
            const char letter = kRows[row][column];
            const float x = column - 10.0f, y = 11 - (row + 5) * 0.5f;
            const int hits = letter - '0';
            const float grey = hits > 5 ? 1.0f / hits : 1.0f;
            const float tint[6][3] = {{1, 1, 1}, {0.5f, 1, 0.5f}, {1, 0.5f, 0.5f}, {0.5f, 0.5f, 1}, {1, 1, 0.5f},
                                      {grey, grey, grey}};
            if (hits >= 1 && hits <= 7)
                DrawPieceAt(models.meshes[3], x, y, tint[std::min(hits, 6) - 1][0], tint[std::min(hits, 6) - 1][1],
                            tint[std::min(hits, 6) - 1][2]);
            else if (letter != ' ')
                DrawPieceAt(models.meshes[letter == 'E' ? 4 : letter == 'S' ? 5 : 6], x, y, 1, 1, 1);
        }
    DrawPieceAt(models.meshes[8], 0, 1, 1, 1, 1);
    DrawPieceAt(models.meshes[7], 2, 4, 1, 1, 1);
}

// Stand-in for the water: a translucent sheet over the grid's area.
void DrawWaterSheet()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.2f, 0.42f, 0.48f, 0.55f);
    glBegin(GL_QUADS);
    glVertex3f(-21, -21, 0);
    glVertex3f(22, -21, 0);
    glVertex3f(22, 29, 0);
    glVertex3f(-21, 29, 0);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

void DrawScene(Models& models)
{
    const GLfloat light[] = {0.4f, -0.8f, 1, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glScalef(150, 150, 150);
    models.sky().Draw();
    glEnable(GL_LIGHTING);
    glPopMatrix();
    DrawField(models);
    models.terrain().Draw();
    DrawWaterSheet();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.1f);
    glEnable(GL_ALPHA_TEST);
    models.trees().Draw();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

// The game's three cameras with the paddle at (0, 1, 0).
void DrawSceneViews(SheetRenderer& renderer, Models& models)
{
    renderer.BeginTile(9, 45);
    glTranslatef(0, -6, 0);
    gluLookAt(0, -15, 8, 0, 12, -12, 0, 0, 1);
    DrawScene(models);
    renderer.BeginTile(10, 45);
    gluLookAt(0, -12, 10, 0, 12, 0, 0, 0, 1);
    DrawScene(models);
    renderer.BeginTile(11, 45);
    gluLookAt(0, -24.7488, 24.7487, 0, 0, 0, 0, 0, 1);
    glTranslatef(0, -6, 0);
    DrawScene(models);
}

std::string Label(const std::string& name, const StaticModel& model)
{
    const CollisionModel box = model.GetCollisionModel();
    char text[200];
    std::snprintf(text, sizeof text, "%s\nx %.2f..%.2f  y %.2f..%.2f  z %.2f..%.2f", name.c_str(), box.min.x,
                  box.max.x, box.min.y, box.max.y, box.min.z, box.max.z);
    return text;
}

void CopyResources(const fs::path& from, const fs::path& to)
{
    for (fs::recursive_directory_iterator it(from), end; it != end; ++it) {
        const fs::path target = to / fs::relative(it->path(), from);
        if (fs::is_directory(it->path()))
            fs::create_directories(target);
        else if (it->path().extension() != ".bin")
            fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing);
    }
}

void Render(const std::string& output)
{
    Models models;
    std::string labels[kTiles];
    for (int i = 0; i < kMeshCount; ++i) {
        models.meshes[i].Load(std::string("Resources/") + kMeshes[i]);
        labels[i] = Label(kMeshes[i], models.meshes[i]);
    }
    labels[9] = "scene: camera above the paddle";
    labels[10] = "scene: camera behind the paddle";
    labels[11] = "scene: orbit camera (start)";
    SheetRenderer renderer(3, 4, 400 * kShrink, 300 * kShrink);
    renderer.DrawSky(0, models.sky());
    for (int i = 1; i < kMeshCount; ++i)
        if (i != 2)
            renderer.DrawPiece(i, models.meshes[i], false);
    // The palms stand far apart: a close look at the ones on the left shore instead.
    renderer.DrawPieceFrom(2, models.trees(), true, Vec3(-10, -8, 7), Vec3(-25, 9, 5));
    DrawSceneViews(renderer, models);
    if (!renderer.Picture(labels, kTiles, kShrink).save(QString::fromStdString(output)))
        throw std::runtime_error("cannot write " + output);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: contact_sheet <repository root> <output.png>" << std::endl;
        return 2;
    }
    const std::string output = fs::absolute(argv[2]).string();
    const fs::path resources = fs::absolute(fs::path(argv[1]) / "Resources");
    PrepareQtApplication();
    QApplication application(argc, argv);
    OffscreenContext context;
    if (!context.MakeCurrent()) {
        std::cerr << "contact_sheet: no OpenGL context" << std::endl;
        return 1;
    }
    glewInit();
    QTemporaryDir work;
    try {
        CopyResources(resources, fs::path(work.path().toStdString()) / "Resources");
        fs::current_path(work.path().toStdString());
        Render(output);
    } catch (const std::exception& error) {
        std::cerr << "contact_sheet: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
