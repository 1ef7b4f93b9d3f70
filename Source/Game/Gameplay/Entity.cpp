#include <GL/glew.h>

#include "Gameplay/Entity.h"

#include "Assets/ResourcesManager.h"
#include "Assets/StaticModel.h"
#include "Core/Game.h"
#include "Gameplay/EntityList.h"

Entity::Entity() = default;

Entity::Entity(Game* game, Vec3 position)
    : position(position)
{
    Entity::setGame(game);
}

void Entity::draw()
{
    drawAs(PieceDetail::Exact);
}

void Entity::drawAs(PieceDetail detail)
{
    glPushMatrix();
    glTranslatef(position.x, position.y, 0.0f);
    if (model)
        model->DrawAs(detail);
    glPopMatrix();
}

void Entity::onCollision(Entity* other)
{
    // Walls are plain entities: this is where a ball is heard bouncing off them.
    if (game && isBall(other))
        game->sound->Play(SoundEffect::WallBounce, other->position, 1.0f);
}

void Entity::hit()
{
}

void Entity::onMouse(float, float, MouseButtons)
{
}

void Entity::update(float)
{
}

void Entity::setGame(Game* newGame)
{
    game = newGame;
    entityList = game ? &game->entityList : nullptr;
}

void Entity::setPosition(Vec3 newPosition)
{
    position = newPosition;
}

void Entity::setCollisionModel(CollisionModel box)
{
    collisionModel = box;
}

void Entity::setModel(std::string path)
{
    model = &resourcesManager.GetModel("Resources/" + path);
    collisionModel = model->GetCollisionModel();
}
