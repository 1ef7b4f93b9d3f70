#pragma once

#include "Support/Vec3.h"

#include <AL/al.h>

#include <vector>

/// A fixed set of mixer sources that effects borrow: a chain can never
/// start more voices than the pool holds. Needs a current context.
class VoicePool
{
public:
    /// What one voice plays and how.
    struct Voice
    {
        ALuint buffer = 0;  // 0: nothing is started
        Vec3 where;         // world units; with `relative`, from the listener
        bool relative = false; // true: follows the listener (jingles), false: placed in the world
        float gain = 1.0f;  // before the listener's master gain
        float pitch = 1.0f; // playback rate factor
    };

    /// `size` sources, inverse-distance rolloff that stays gentle across the field.
    explicit VoicePool(int size);
    /// Stops and deletes every source.
    ~VoicePool();
    VoicePool(const VoicePool&) = delete;
    VoicePool& operator=(const VoicePool&) = delete;

    /// How many voices can sound at once.
    int Size() const { return static_cast<int>(sources.size()); }
    /// Plays `voice` on a free source, or on the one started longest ago when all are busy.
    void Start(const Voice& voice);

private:
    ALuint FreeOrOldest();

    std::vector<ALuint> sources; // owning
    std::vector<unsigned> started; // per source, the value of `clock` when last started
    unsigned clock = 0;           // counts starts
};
