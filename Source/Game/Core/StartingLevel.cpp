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
            // A new image size renders both of the water's images; a frame of
            // play at a level that takes them in turn renders one.
            if (game.governor.Plan().alternateWaterImages)
                timedFrame();
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
