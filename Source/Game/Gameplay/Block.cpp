#include <GL/glew.h>

#include "Gameplay/Block.h"

#include "Assets/StaticModel.h"
#include "Gameplay/EntityList.h"

#include <cmath>
#include <cstdlib>

Block::Block(bool required)
    : required(required)
    , phase(static_cast<float>(std::rand() % 1000) / 100.0f)
{
}

void Block::drawAs(PieceDetail detail)
{
    glPushMatrix();
    glTranslatef(position.x, position.y, 0.0f);
    glRotatef(std::sin(phase * 0.8f) * 4.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(std::sin(phase * 0.53f) * 4.0f, 1.0f, 0.0f, 0.0f);
    if (model)
        model->DrawAs(detail);
    glPopMatrix();
}

void Block::onCollision(Entity* other)
{
    if (isBall(other))
        hit();
}

void Block::update(float dt)
{
    phase += dt * 3.0f;
}

Vec3 Block::centre() const
{
    return position + (collisionModel.max - collisionModel.min) * 0.5f;
}
