#include "Core/StartingLevel.h"

#include "Core/Game.h"

void ChooseStartingLevel(Game& game, const std::function<double()>& timedFrame)
{
    if (game.governor.Pinned())
        return;
    FrameBudgetGovernor automatic = game.governor;
    try {
        automatic.StartAt(FrameBudgetGovernor::StartingLevel([&game, &timedFrame](int level) {
            game.governor = FrameBudgetGovernor(level);
            return timedFrame();
        }));
    } catch (...) {
        game.governor = automatic;
        game.water.ForgetImages();
        throw;
    }
    game.governor = automatic;
    game.water.ForgetImages();
}
