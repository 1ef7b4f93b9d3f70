#include <GL/glew.h>

#include "Gameplay/CollisionModel.h"

void CollisionModel::draw(Vec3 position)
{
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glColor3f(1.0f, 1.0f, 0.0f);
    glColor3f(0.0f, 0.0f, 1.0f);
    const float xs[2] = {min.x, max.x}, ys[2] = {min.y, max.y}, zs[2] = {min.z, max.z};
    glBegin(GL_LINES);
    for (int a = 0; a < 2; ++a) {
        for (int b = 0; b < 2; ++b) {
            glVertex3f(xs[0], ys[a], zs[b]);
            glVertex3f(xs[1], ys[a], zs[b]);
            glVertex3f(xs[a], ys[0], zs[b]);
            glVertex3f(xs[a], ys[1], zs[b]);
            glVertex3f(xs[a], ys[b], zs[0]);
            glVertex3f(xs[a], ys[b], zs[1]);
        }
    }
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}
