#pragma once

#include <functional>

class Game;

/// Before play, with the budget automatic: draws unshown frames of the opening
/// scene from the exact level on and starts the governor at the first level
/// whose frame meets its aim. A slow renderer then plays its first frames in
/// time and at one picture, instead of stepping through the levels in the
/// first second.
///
/// `timedFrame` draws one frame as the view does (clear, camera,
/// game.Render()) and returns how many milliseconds it took, the renderer's
/// work included; a level that renders the water's images in turn is timed
/// on its second frame. A pinned governor is left alone. Afterwards the water's
/// images are rendered afresh; what `timedFrame` throws propagates, with the
/// governor as it was.
void ChooseStartingLevel(Game& game, const std::function<double()>& timedFrame);
