#pragma once

#include "Audio/SoundEvents.h"

/// Hears everything and plays nothing: the world of unit tests, fast replays,
/// a muted harness and a machine without an audio device.
class SilentSound : public SoundEvents
{
public:
    void Play(SoundEffect, Vec3, float) override {}
    void EndTick() override {}
    void FollowCamera(const float*) override {}
};
