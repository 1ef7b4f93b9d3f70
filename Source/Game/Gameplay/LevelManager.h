#pragma once

#include <list>
#include <memory>
#include <string>

class Block;
class Entity;
class Game;

/// Turns a level number into the entities of that level: blocks from rows
/// of letters, then the frame (paddle, walls, loose zone). Five layouts repeat.
class LevelManager
{
public:
    explicit LevelManager(Game* game) : game(game) {}

    /// The blocks and frame of layout `level` mod 5 (truncating); a negative
    /// remainder gives an empty list. The caller owns the entities. On an
    /// error nothing built is left behind.
    std::list<Entity*> buildLevel(int level);
    /// Appends the blocks of one row (at most 20 letters, left to right; see
    /// the letter table in LevelManager.cpp). Throws "Too long Block line"
    /// before building anything, or "Invalid Block qualifier" at the first bad
    /// letter, keeping the blocks built before it in `entities`.
    void addBlockRow(float row, std::string blocks, std::list<Entity*>& entities);
    /// Appends paddle, top wall, left wall, right wall and bottom loose zone.
    void addFrame(std::list<Entity*>& entities);
    /// The frame of the two-paddle layout: a loose zone at the top in place of the wall.
    void addTwoPaddleFrame(std::list<Entity*>& entities);

    Game* game; // not owned

private:
    std::unique_ptr<Block> makeBlock(char letter); // null for an invalid letter
    std::unique_ptr<Entity> makeExtra();
    std::unique_ptr<Entity> makeBall();
    Entity* makePaddle(float y);
};
