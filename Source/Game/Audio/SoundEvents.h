#pragma once

#include "Support/Vec3.h"

/// Everything the world can be heard doing; each has a sound of its own.
enum class SoundEffect
{
    Launch,       // the paddle sends a ball off
    BlockHit,     // a ball or a blast strikes a block that survives
    BlockBreak,   // a normal block loses its last hit point
    Explosion,    // one dynamite block of a chain
    Release,      // a launcher lets its payload go
    ExtraCaught,  // the paddle catches an extra
    BallLost,     // a ball enters a loose zone
    WallBounce,   // a ball bounces off a wall or another ball
    PaddleBounce, // a ball bounces off a paddle
    LevelCleared, // the next level is built
    GameOver,     // the last ball is gone
    Count         // number of effects, not an effect
};

/// Where the world reports what can be heard. It knows nothing of how (or
/// whether) the sound is played, and never changes the world.
class SoundEvents
{
public:
    virtual ~SoundEvents() = default;

    /// `effect` sounds at world position `where` (world units); `pitch` scales
    /// its playback rate, 1 as recorded. Heard when the tick ends.
    virtual void Play(SoundEffect effect, Vec3 where, float pitch) = 0;
    /// The tick is over: its sounds start together, so a chain is mixed as one.
    virtual void EndTick() = 0;
    /// The camera of this frame: `modelView` column-major, world to eye, rigid.
    virtual void FollowCamera(const float modelView[16]) = 0;
};
