#include "Gameplay/EntityList.h"

#include "Gameplay/Ball.h"
#include "Gameplay/Entity.h"

#include <cmath>

namespace {

// Entry time of one axis that is never entered (no motion, or already past).
const float never = 133700.0f;

float entryTime(float aMin, float aMax, float d, float bMin, float bMax)
{
    float t = never;
    if (d > 0.0f)
        t = (bMin - aMax) / d;
    else if (d < 0.0f)
        t = (aMin - bMax) / -d;
    return t < 0.0f ? never : t;
}

} // namespace

bool boxesOverlap(CollisionModel a, Vec3 pa, CollisionModel b, Vec3 pb)
{
    const Vec3 aMin = pa + a.min, aMax = pa + a.max;
    const Vec3 bMin = pb + b.min, bMax = pb + b.max;
    if (bMin.x > aMax.x || aMin.x > bMax.x)
        return false;
    if (bMin.y > aMax.y || aMin.y > bMax.y)
        return false;
    return !(bMin.z > aMax.z || aMin.z > bMax.z);
}

Vec3 collisionAxis(CollisionModel a, Vec3 pa, Vec3 displacement, CollisionModel b, Vec3 pb)
{
    const Vec3 aMin = pa + a.min, aMax = pa + a.max;
    const Vec3 bMin = pb + b.min, bMax = pb + b.max;
    const float tx = entryTime(aMin.x, aMax.x, displacement.x, bMin.x, bMax.x);
    const float ty = entryTime(aMin.y, aMax.y, displacement.y, bMin.y, bMax.y);
    const float tz = entryTime(aMin.z, aMax.z, displacement.z, bMin.z, bMax.z);
    if (tx < ty && tx < tz)
        return Vec3(1.0f, 0.0f, 0.0f);
    if (ty < tx && ty < tz)
        return Vec3(0.0f, 1.0f, 0.0f);
    if (tz < tx && tz < ty)
        return Vec3(0.0f, 0.0f, 1.0f);
    return Vec3(0.0f, 0.0f, 0.0f);
}

bool isBall(Entity* e)
{
    return dynamic_cast<Ball*>(e) != nullptr;
}

bool isWithinRadius(Entity* e, Vec3 point, float radius)
{
    const Vec3 d = e->position - point;
    return radius > std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

EntityList::~EntityList()
{
    deleteAll();
}

bool EntityList::add(Entity* e, bool rejectOverlap)
{
    if (rejectOverlap) {
        for (Entity* r : entities) {
            if (r == e || r->removed)
                continue;
            if (boxesOverlap(e->collisionModel, e->position, r->collisionModel, r->position)) {
                delete e;
                return false;
            }
        }
    }
    entities.push_front(e);
    return true;
}

void EntityList::markForRemoval(Entity* e)
{
    if (e->removed)
        return;
    e->removed = true;
    removals.push_back(e);
}

void EntityList::moveWithCollision(MoveableEntity* e, float dt)
{
    const Vec3 d = e->velocity * dt;
    const Vec3 target = e->position + d;
    for (Entity* r : entities) {
        if (r == e || !boxesOverlap(e->collisionModel, target, r->collisionModel, r->position))
            continue;
        const Vec3 axis = collisionAxis(e->collisionModel, e->position, d, r->collisionModel, r->position);
        if (axis.x != 0.0f)
            e->velocity.x *= -1.0f;
        else if (axis.y != 0.0f)
            e->velocity.y *= -1.0f;
        // The struck entity sees the already reflected velocity.
        r->onCollision(e);
        return;
    }
    e->position = target;
}

std::list<Entity*> EntityList::findAll(const Predicate& pred) const
{
    std::list<Entity*> found;
    for (Entity* e : entities) {
        if (pred(e))
            found.push_back(e);
    }
    return found;
}

std::list<Entity*> EntityList::findWithin(const RadiusPredicate& pred, Vec3 point, float radius) const
{
    std::list<Entity*> found;
    for (Entity* e : entities) {
        if (pred(e, point, radius))
            found.push_back(e);
    }
    return found;
}

void EntityList::sweep()
{
    for (Entity* e : removals) {
        if (!e)
            continue;
        entities.remove(e);
        delete e;
    }
    removals.clear();
}

void EntityList::updateAll(float dt)
{
    sweep();
    // Entities added at the front during the walk wait for the next tick.
    for (Entity* e : entities)
        e->update(dt);
}

void EntityList::drawAll(PieceDetail detail)
{
    for (Entity* e : entities)
        e->drawAs(detail);
}

void EntityList::broadcastMouse(float dx, float dy, MouseButtons buttons)
{
    for (Entity* e : entities)
        e->onMouse(dx, dy, buttons);
}

void EntityList::deleteAll()
{
    for (Entity* e : entities)
        delete e;
    entities.clear();
    removals.clear();
}
