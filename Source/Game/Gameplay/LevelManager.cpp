#include "Gameplay/LevelManager.h"

#include "Gameplay/Ball.h"
#include "Gameplay/ExplosionBlock.h"
#include "Gameplay/Extra.h"
#include "Gameplay/LauncherBlock.h"
#include "Gameplay/LooseZone.h"
#include "Gameplay/NormalBlock.h"
#include "Gameplay/Paddle.h"
#include "Support/Exception.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Rows of one layout: row number (y = 11 - row x 0.5) and 20 cells.
// "1".."7" normal block with that many hits, "E" dynamite, "S" barrel with
// an extra, "L" launcher with a ball, " " or ">" an empty cell.
struct Row
{
    float row;
    const char* blocks;
};

const std::vector<std::vector<Row>> layouts = {
    {{5, "   1 L 1 L 1 L 1    "},
     {6, "    1 2 1 2 1 2 1   "},
     {7, "   1 2 1 2 1 2 1    "},
     {8, "    1 2 1 2 1 2 1   "},
     {9, "   1 2 1 2 1 2 1    "}},
    {{5, "   23L33333333L32   "},
     {6, "   2     44     2   "},
     {7, "   2   S    S   2   "},
     {8, "   2S    LL    S2   "},
     {9, "   222S222222S222   "}},
    {{3, "  212               "},
     {4, "  1E1     L   212   "},
     {5, "  212         1E1   "},
     {6, "              212   "},
     {7, "   L    212         "},
     {8, "212     1E1    L    "},
     {9, "1E1     212     212 "},
     {10, "212             1E1 "},
     {11, "        L       212 "},
     {12, "                    "},
     {13, "   212              "},
     {14, "   1E1     L   212  "},
     {15, "   212         1E1  "},
     {16, "               212  "}},
    {{7, "   1 L 1 L 1 L S    "},
     {8, "    S 2 1 2 1 E 1   "},
     {9, "   1 2 1 2 1 S 1    "},
     {10, "    E L 1 2 1 2 1   "},
     {11, "   1 2 1 2 E 2 1    "}},
    {{5, "         3          "},
     {6, "       L454L        "},
     {7, "      2356532       "},
     {8, "        E5E         "},
     {9, "         3          "},
     {12, " S S S S S S S S S S"},
     {15, "11111111111111111111"}},
};

const int twoPaddleLayout = 3;
const std::string::size_type maxRowLength = 20;

// A random launch direction of the given speed, never flatter than 2.2 in y.
Vec3 payloadVelocity(float speed)
{
    const float a = static_cast<float>(std::rand() % 100) / 50.0f - 1.0f;
    const float b = static_cast<float>(std::rand() % 100) / 50.0f - 1.0f;
    Vec3 v = Vec3(a, b, 0.0f).normalize() * speed;
    if (std::abs(v.y) < 2.2f) {
        v.y = -2.2f;
        v = v.normalize() * speed;
    }
    return v;
}

Entity* wall(Game* game, Vec3 min, Vec3 max)
{
    Entity* e = new Entity(game, Vec3(0.0f, 0.0f, 0.0f));
    e->setCollisionModel(CollisionModel(min, max));
    return e;
}

Entity* bottomZone(Game* game)
{
    return new LooseZone(game, CollisionModel(Vec3(-18.0f, -12.0f, -1.0f), Vec3(18.0f, -4.0f, 1.0f)));
}

const char* meshOf(char letter)
{
    switch (letter) {
    case 'E': return "ExplosionBlock/Dynamite.obj";
    case 'S': return "ExtraBlock/Barrel.obj";
    case 'L': return "LauncherBlock/LauncherBlock.obj";
    default: return "Block/Block.obj";
    }
}

void deleteEntities(std::list<Entity*>& entities)
{
    for (Entity* e : entities)
        delete e;
    entities.clear();
}

} // namespace

std::list<Entity*> LevelManager::buildLevel(int level)
{
    std::list<Entity*> entities;
    const int layout = level % 5;
    if (layout < 0)
        return entities;
    try {
        for (const Row& row : layouts[layout])
            addBlockRow(row.row, row.blocks, entities);
        if (layout == twoPaddleLayout)
            addTwoPaddleFrame(entities);
        else
            addFrame(entities);
    } catch (...) {
        deleteEntities(entities);
        throw;
    }
    return entities;
}

void LevelManager::addBlockRow(float row, std::string blocks, std::list<Entity*>& entities)
{
    if (blocks.size() > maxRowLength) {
        Exception e;
        e << tag_error_message("Too long Block line");
        MIRAGE_THROW(e, "LevelManager.cpp", 125);
    }
    const float y = 11.0f - row * 0.5f;
    for (std::string::size_type i = 0; i < blocks.size(); ++i) {
        const char letter = blocks[i];
        if (letter == ' ' || letter == '>')
            continue;
        std::unique_ptr<Block> block = makeBlock(letter);
        if (!block) {
            Exception e;
            e << tag_error_message("Invalid Block qualifier") << tag_error_detail(blocks);
            MIRAGE_THROW(e, "LevelManager.cpp", 222);
        }
        block->setModel(meshOf(letter));
        block->setGame(game);
        block->setPosition(Vec3(static_cast<float>(i) - 10.0f, y, 0.0f));
        entities.push_back(block.get());
        block.release();
    }
}

std::unique_ptr<Block> LevelManager::makeBlock(char letter)
{
    if (letter >= '1' && letter <= '7')
        return std::make_unique<NormalBlock>(letter - '0');
    if (letter == 'E')
        return std::make_unique<ExplosionBlock>();
    if (letter != 'S' && letter != 'L')
        return nullptr;
    // The payload's direction is drawn before the block's wobble phase.
    std::unique_ptr<Entity> payload = letter == 'S' ? makeExtra() : makeBall();
    std::unique_ptr<Block> launcher(new LauncherBlock(payload.get()));
    payload.release();
    return launcher;
}

std::unique_ptr<Entity> LevelManager::makeExtra()
{
    auto extra = std::make_unique<Extra>();
    extra->setVelocity(payloadVelocity(16.0f));
    extra->setModel("Extra01/Extra.obj");
    extra->setGame(game);
    extra->setCollisionModel(CollisionModel(Vec3(-0.1f, -0.1f, -0.1f), Vec3(0.1f, 0.1f, 0.1f)));
    return extra;
}

std::unique_ptr<Entity> LevelManager::makeBall()
{
    auto ball = std::make_unique<Ball>(payloadVelocity(10.0f));
    ball->setGame(game);
    return ball;
}

Entity* LevelManager::makePaddle(float y)
{
    auto paddle = std::make_unique<Paddle>();
    paddle->setGame(game);
    paddle->setPosition(Vec3(0.0f, y, 0.0f));
    paddle->setModel("Paddle/Paddle.obj");
    return paddle.release();
}

void LevelManager::addFrame(std::list<Entity*>& entities)
{
    entities.push_back(makePaddle(1.0f));
    entities.push_back(wall(game, Vec3(-18.0f, 12.0f, -1.0f), Vec3(18.0f, 20.0f, 1.0f)));
    entities.push_back(wall(game, Vec3(-18.0f, -4.0f, -1.0f), Vec3(-10.0f, 12.0f, 1.0f)));
    entities.push_back(wall(game, Vec3(10.0f, -4.0f, -1.0f), Vec3(18.0f, 12.0f, 1.0f)));
    entities.push_back(bottomZone(game));
}

void LevelManager::addTwoPaddleFrame(std::list<Entity*>& entities)
{
    entities.push_back(makePaddle(1.0f));
    entities.push_back(makePaddle(11.0f));
    entities.push_back(new LooseZone(game, CollisionModel(Vec3(-18.0f, 12.0f, -1.0f), Vec3(18.0f, 20.0f, 1.0f))));
    entities.push_back(wall(game, Vec3(-18.0f, -4.0f, -1.0f), Vec3(-10.0f, 12.0f, 1.0f)));
    entities.push_back(wall(game, Vec3(10.0f, -4.0f, -1.0f), Vec3(18.0f, 12.0f, 1.0f)));
    entities.push_back(bottomZone(game));
}
