#include "Gameplay/Entity.h"
#include "Gameplay/EntityList.h"

#include "Gameplay/GameplayTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Counts every call the entity list makes on it, and its own destruction.
class Probe : public MoveableEntity
{
public:
    Probe(EntityList& list, Vec3 at, Vec3 min, Vec3 max, int* deaths = nullptr)
        : deaths(deaths)
    {
        entityList = &list;
        position = at;
        collisionModel = CollisionModel(min, max);
    }
    ~Probe() override
    {
        if (deaths)
            ++*deaths;
    }
    void onCollision(Entity* other) override { struckBy.push_back(other); }
    void update(float) override { ++updates; }

    std::vector<Entity*> struckBy;
    int updates = 0;
    int* deaths;
};

const Vec3 origin(0.0f, 0.0f, 0.0f);
const CollisionModel unitBox(Vec3(0.0f, 0.0f, 0.0f), Vec3(1.0f, 1.0f, 1.0f));
const CollisionModel smallBox(Vec3(-0.2f, -0.2f, -0.2f), Vec3(0.2f, 0.2f, 0.2f));

// A ball-sized probe at `at` flying with `velocity`, not yet in the list.
Probe* mover(EntityList& list, Vec3 at, Vec3 velocity)
{
    Probe* p = new Probe(list, at, smallBox.min, smallBox.max);
    p->velocity = velocity;
    return p;
}

Probe* block(EntityList& list, Vec3 at, int* deaths = nullptr)
{
    Probe* p = new Probe(list, at, unitBox.min, unitBox.max, deaths);
    list.entities.push_back(p);
    return p;
}

} // namespace

TEST(BoxOverlap, TouchingFacesEdgesAndCornersOverlapAndAGapDoesNot)
{
    EXPECT_TRUE(boxesOverlap(unitBox, origin, unitBox, Vec3(1.0f, 0.0f, 0.0f)));   // face
    EXPECT_TRUE(boxesOverlap(unitBox, origin, unitBox, Vec3(1.0f, 1.0f, 0.0f)));   // edge
    EXPECT_TRUE(boxesOverlap(unitBox, origin, unitBox, Vec3(-1.0f, -1.0f, -1.0f))); // corner
    EXPECT_FALSE(boxesOverlap(unitBox, origin, unitBox, Vec3(1.0001f, 0.0f, 0.0f)));
    EXPECT_FALSE(boxesOverlap(unitBox, origin, unitBox, Vec3(0.0f, -1.0001f, 0.0f)));
    EXPECT_FALSE(boxesOverlap(unitBox, origin, unitBox, Vec3(0.0f, 0.0f, 1.5f)));
}

TEST(BoxOverlap, CollisionAxisPicksTheStrictlyEarliestEntry)
{
    // Ball box 0.1 left of the block and 0.3 below its bottom edge, moving (1, 1):
    // x is entered at 0.1, y at 0.3.
    const Vec3 pa(-0.3f, -0.5f, 0.5f);
    EXPECT_EQ(Vec3(1, 0, 0), collisionAxis(smallBox, pa, Vec3(1, 1, 0), unitBox, origin));
    EXPECT_EQ(Vec3(0, 1, 0), collisionAxis(smallBox, Vec3(-0.5f, -0.3f, 0.5f), Vec3(1, 1, 0), unitBox, origin));
    // Equal entry times on x and y: a tie reflects nothing.
    EXPECT_EQ(Vec3(0, 0, 0), collisionAxis(smallBox, Vec3(-0.3f, -0.3f, 0.5f), Vec3(1, 1, 0), unitBox, origin));
    // Already inside on every moving axis: negative times count as never.
    EXPECT_EQ(Vec3(0, 0, 0), collisionAxis(smallBox, Vec3(0.5f, 0.5f, 0.5f), Vec3(1, -1, 0), unitBox, origin));
    // Touching gives an entry time of exactly 0, which is kept.
    EXPECT_EQ(Vec3(1, 0, 0), collisionAxis(smallBox, Vec3(-0.2f, 0.5f, 0.5f), Vec3(1, 1, 0), unitBox, origin));
}

TEST(EntityListMove, FreePathMovesByVelocityTimesStep)
{
    EntityList list;
    Probe* ball = mover(list, Vec3(0, 0, 0), Vec3(3, -2, 0));
    list.add(ball, false);
    block(list, Vec3(5, 5, 0));
    list.moveWithCollision(ball, 0.5f);
    EXPECT_EQ(Vec3(1.5f, -1.0f, 0.0f), ball->position);
    EXPECT_EQ(Vec3(3, -2, 0), ball->velocity);
}

TEST(EntityListMove, ReflectsTheEntryAxisAndTellsTheStruckEntityAfterwards)
{
    EntityList list;
    Probe* target = block(list, Vec3(0, 0, 0));
    Probe* ball = mover(list, Vec3(0.5f, -0.25f, 0.5f), Vec3(0, 5, 0));
    list.add(ball, false);
    list.moveWithCollision(ball, 0.02f);
    EXPECT_EQ(Vec3(0, -5, 0), ball->velocity);
    EXPECT_EQ(Vec3(0.5f, -0.25f, 0.5f), ball->position);
    ASSERT_EQ(1u, target->struckBy.size());
    EXPECT_EQ(ball, target->struckBy[0]);
    EXPECT_TRUE(ball->struckBy.empty());
}

TEST(EntityListMove, EqualCornerEntryReflectsNothingButStillStrikes)
{
    EntityList list;
    Probe* target = block(list, Vec3(0, 0, 0));
    Probe* ball = mover(list, Vec3(-0.25f, -0.25f, 0.5f), Vec3(5, 5, 0));
    list.add(ball, false);
    list.moveWithCollision(ball, 0.02f);
    EXPECT_EQ(Vec3(5, 5, 0), ball->velocity);
    EXPECT_EQ(Vec3(-0.25f, -0.25f, 0.5f), ball->position);
    EXPECT_EQ(1u, target->struckBy.size());
}

TEST(EntityListMove, AnAlreadyOverlappingMoverStaysAndStrikesEveryTime)
{
    EntityList list;
    Probe* target = block(list, Vec3(0, 0, 0));
    Probe* ball = mover(list, Vec3(0.5f, 0.5f, 0.5f), Vec3(2, -3, 0));
    list.add(ball, false);
    for (int tick = 0; tick < 3; ++tick)
        list.moveWithCollision(ball, 0.02f);
    EXPECT_EQ(Vec3(0.5f, 0.5f, 0.5f), ball->position);
    EXPECT_EQ(Vec3(2, -3, 0), ball->velocity);
    EXPECT_EQ(3u, target->struckBy.size());

    // A resting mover is still tested where it stands.
    ball->velocity = Vec3(0, 0, 0);
    list.moveWithCollision(ball, 0.02f);
    EXPECT_EQ(4u, target->struckBy.size());
}

TEST(EntityListMove, OnlyTheFirstOverlappedEntityInListOrderIsTold)
{
    EntityList list;
    Probe* first = block(list, Vec3(0, 0, 0));
    Probe* second = block(list, Vec3(-1, 0, 0));
    Probe* ball = mover(list, Vec3(0, -0.25f, 0.5f), Vec3(0, 5, 0));
    list.add(ball, false);
    list.moveWithCollision(ball, 0.02f);
    EXPECT_EQ(1u, first->struckBy.size());
    EXPECT_TRUE(second->struckBy.empty());
    EXPECT_EQ(Vec3(0, -5, 0), ball->velocity);
}

TEST(EntityListMove, AMarkedEntityStillReflectsUntilTheSweep)
{
    EntityList list;
    Probe* target = block(list, Vec3(0, 0, 0));
    Probe* ball = mover(list, Vec3(0.5f, -0.25f, 0.5f), Vec3(0, 5, 0));
    list.add(ball, false);
    list.markForRemoval(target);
    list.moveWithCollision(ball, 0.02f);
    EXPECT_EQ(Vec3(0, -5, 0), ball->velocity);
    EXPECT_EQ(1u, target->struckBy.size());
    EXPECT_EQ(1u, list.findAll([](Entity* e) { return e->collisionModel.max.x == 1.0f; }).size());

    list.updateAll(0.02f); // sweeps the block
    ball->velocity = Vec3(0, 5, 0);
    list.moveWithCollision(ball, 0.02f);
    EXPECT_NEAR(-0.15f, ball->position.y, 1e-6f);
}

TEST(EntityListAdd, RejectingOverlapRefusesATouchingEntityButIgnoresMarkedOnes)
{
    int deaths = 0;
    EntityList list;
    Probe* wall = block(list, Vec3(0, 0, 0));
    EXPECT_FALSE(list.add(new Probe(list, Vec3(1, 0, 0), unitBox.min, unitBox.max, &deaths), true));
    EXPECT_EQ(1, deaths); // deleted by add
    EXPECT_EQ(1u, list.entities.size());

    EXPECT_TRUE(list.add(new Probe(list, Vec3(0.5f, 0, 0), unitBox.min, unitBox.max), false));
    list.markForRemoval(list.entities.front());
    list.markForRemoval(wall);
    Probe* added = new Probe(list, Vec3(0.2f, 0, 0), unitBox.min, unitBox.max);
    EXPECT_TRUE(list.add(added, true));
    EXPECT_EQ(added, list.entities.front());
}

TEST(EntityListLifetime, EachEntityIsDeletedExactlyOnce)
{
    int deaths = 0;
    {
        EntityList list;
        Probe* a = block(list, Vec3(0, 0, 0), &deaths);
        block(list, Vec3(3, 0, 0), &deaths);
        Probe* c = block(list, Vec3(6, 0, 0), &deaths);
        list.markForRemoval(a);
        list.markForRemoval(a); // a second mark does nothing
        EXPECT_EQ(1u, list.removals.size());
        list.updateAll(0.02f);
        EXPECT_EQ(1, deaths);
        EXPECT_EQ(2u, list.entities.size());
        EXPECT_TRUE(list.removals.empty());

        list.markForRemoval(c); // still pending when everything goes
        list.deleteAll();
        EXPECT_EQ(3, deaths);
        EXPECT_TRUE(list.removals.empty());
        list.updateAll(0.02f);
        EXPECT_EQ(3, deaths);

        block(list, Vec3(0, 0, 0), &deaths);
    }
    EXPECT_EQ(4, deaths); // the list deletes what it still holds
}

namespace {

// Adds a new probe at the front of its list when updated.
class Spawner : public Probe
{
public:
    using Probe::Probe;
    void update(float dt) override
    {
        Probe::update(dt);
        spawned = new Probe(*entityList, Vec3(50, 50, 0), unitBox.min, unitBox.max);
        entityList->add(spawned, false);
        if (toMark)
            entityList->markForRemoval(toMark);
        toMark = nullptr;
    }
    Probe* spawned = nullptr;
    Entity* toMark = nullptr; // marked during the first walk
};

} // namespace

TEST(EntityListUpdate, EntitiesAddedDuringTheWalkWaitForTheNextTick)
{
    EntityList list;
    Probe* before = block(list, Vec3(0, 0, 0));
    Spawner* spawner = new Spawner(list, Vec3(5, 0, 0), unitBox.min, unitBox.max);
    list.entities.push_back(spawner);
    Probe* after = block(list, Vec3(10, 0, 0));
    spawner->toMark = after; // marked during the walk, before its turn: still updated
    list.updateAll(0.02f);
    EXPECT_EQ(1, before->updates);
    EXPECT_EQ(1, spawner->updates);
    EXPECT_EQ(1, after->updates);
    Probe* spawned = spawner->spawned;
    EXPECT_EQ(0, spawned->updates);
    EXPECT_EQ(spawned, list.entities.front());
    list.updateAll(0.02f);
    EXPECT_EQ(1, spawned->updates);
    EXPECT_EQ(4u, list.entities.size()); // `after` swept, a second probe spawned
}

TEST(EntityListQueries, WithinRadiusIsStrictAndMeasuresPositions)
{
    EntityList list;
    Probe* corner = block(list, Vec3(3, 4, 0)); // 5 from the origin
    EXPECT_FALSE(isWithinRadius(corner, origin, 5.0f));
    EXPECT_TRUE(isWithinRadius(corner, origin, 5.0001f));
    EXPECT_FALSE(isWithinRadius(corner, Vec3(0, 0, 1), 5.0f)); // z counts

    Probe* near = block(list, Vec3(1, 1, 0));
    list.markForRemoval(near);
    const std::list<Entity*> found = list.findWithin(isWithinRadius, origin, 2.0f);
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ(near, found.front()); // marked entities are still found
    // The point lies inside the corner block's box, but its position is 1.27 away.
    EXPECT_TRUE(list.findWithin(isWithinRadius, Vec3(3.9f, 4.9f, 0), 1.0f).empty());
}
