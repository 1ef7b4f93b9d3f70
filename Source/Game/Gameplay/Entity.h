#pragma once

#include "Assets/PieceDetail.h"
#include "Gameplay/CollisionModel.h"
#include "Support/MouseButtons.h"
#include "Support/Vec3.h"

#include <string>

class EntityList;
class Game;
class StaticModel;

/// Anything on the playing field: a position, a box relative to it and an
/// optional shared mesh. The game drives it through the virtual operations.
class Entity
{
public:
    /// At the origin, no game, zero box, no mesh; `setGame` supplies the list.
    Entity();
    /// As above at `position`, with `game` and its entity list.
    Entity(Game* game, Vec3 position);
    virtual ~Entity() = default;
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    /// The mesh at (x, y, 0); z of the position is not used. The exact picture's `drawAs`.
    virtual void draw();
    /// `other` has just moved into this entity (its velocity already reflected).
    virtual void onCollision(Entity* other);
    /// This entity is struck by a ball or a blast.
    virtual void hit();
    virtual void onMouse(float dx, float dy, MouseButtons buttons);
    virtual void update(float dt);
    /// Takes the game and its entity list (null game: no list).
    virtual void setGame(Game* game);
    /// Draws the entity as finely as `detail` asks; kinds that draw
    /// themselves otherwise than by their mesh replace this, not `draw`.
    virtual void drawAs(PieceDetail detail);

    void setPosition(Vec3 position);
    void setCollisionModel(CollisionModel box);
    /// Mesh "Resources/" + path from the shared model cache; its vertex box
    /// becomes the collision box until `setCollisionModel` replaces it.
    void setModel(std::string path);

    Vec3 position;                  // world units
    Game* game = nullptr;           // not owned
    EntityList* entityList = nullptr; // the game's list; not owned
    CollisionModel collisionModel;  // relative to `position`
    StaticModel* model = nullptr;   // shared mesh, owned by the resources manager; null: nothing drawn
    bool removed = false;           // marked for removal, deleted by the next sweep
};

/// An entity with a velocity (world units per second).
class MoveableEntity : public Entity
{
public:
    MoveableEntity() = default;
    MoveableEntity(Game* game, Vec3 position) : Entity(game, position) {}

    void setVelocity(Vec3 v) { velocity = v; }

    Vec3 velocity;
};
