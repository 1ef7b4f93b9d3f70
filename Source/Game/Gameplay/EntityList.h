#pragma once

#include "Assets/PieceDetail.h"
#include "Gameplay/CollisionModel.h"
#include "Support/MouseButtons.h"
#include "Support/Vec3.h"

#include <functional>
#include <list>

class Entity;
class MoveableEntity;

/// Box a at pa against box b at pb; touching on a face, edge or corner counts as overlapping.
bool boxesOverlap(CollisionModel a, Vec3 pa, CollisionModel b, Vec3 pb);

/// The axis on which box a at pa, moving by `displacement`, enters box b at pb:
/// the unit axis with the strictly smallest entry time, (0, 0, 0) on a tie.
/// Axes without motion or with a negative entry time count as never entered.
Vec3 collisionAxis(CollisionModel a, Vec3 pa, Vec3 displacement, CollisionModel b, Vec3 pb);

/// True for entities whose dynamic type is `Ball`.
bool isBall(Entity* e);

/// True when e's position (not its box) lies strictly closer than `radius` to `point`.
bool isWithinRadius(Entity* e, Vec3 point, float radius);

/// Every entity of a level, in a significant order: the list order decides
/// every tie in movement, collision and queries. Removal is deferred to the
/// next `updateAll`.
class EntityList
{
public:
    using Predicate = std::function<bool(Entity*)>;
    using RadiusPredicate = std::function<bool(Entity*, Vec3, float)>;

    EntityList() = default;
    /// Deletes the entities still held.
    ~EntityList();
    EntityList(const EntityList&) = delete;
    EntityList& operator=(const EntityList&) = delete;

    /// Puts e at the front and takes ownership. With rejectOverlap, an e whose
    /// box overlaps (or touches) a live entity is deleted and false returned:
    /// the caller must not use e after false.
    bool add(Entity* e, bool rejectOverlap);
    /// Marks e for deletion by the next sweep; a second mark does nothing.
    void markForRemoval(Entity* e);
    /// Moves e by its velocity x dt unless the moved box overlaps another
    /// entity: then only the first such entity in list order reflects one
    /// velocity component of e and is told through `onCollision`, and e stays.
    void moveWithCollision(MoveableEntity* e, float dt);
    /// New list of the entities (marked ones included) the predicate accepts, in list order.
    std::list<Entity*> findAll(const Predicate& pred) const;
    std::list<Entity*> findWithin(const RadiusPredicate& pred, Vec3 point, float radius) const;
    /// Deletes the entities marked since the last call, then updates every entity front to back.
    void updateAll(float dt);
    void drawAll(PieceDetail detail = PieceDetail::Exact);
    void broadcastMouse(float dx, float dy, MouseButtons buttons);
    /// Deletes every entity and forgets the pending removals.
    void deleteAll();

    std::list<Entity*> entities; // owning; front = most recently added
    std::list<Entity*> removals; // marked since the last sweep, in marking order; not owning

private:
    void sweep();
};
