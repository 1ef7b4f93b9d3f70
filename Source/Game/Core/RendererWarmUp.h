#pragma once

#include <functional>

class Game;

/// The software renderer builds its code for each way of drawing the first
/// time that way is used, tens of milliseconds each: left to play, that is a
/// stall at the first hit, the first explosion and each level's first frame
/// when the budget is first stepped. Drawing one frame of every budget level,
/// with a still burst of every sprite over the field, before play pays for it
/// at start-up instead.
///
/// `drawFrame` clears the view, applies its camera and calls game.Render(),
/// as the view's own frame does; the frames are not shown. Leaves the world,
/// the governor and the particle bursts as they were, and the water's images
/// to be rendered afresh. What `drawFrame` throws propagates, after the same
/// restoring.
void WarmUpRenderer(Game& game, const std::function<void()>& drawFrame);
