#pragma once

class ConfigFile;

/// The optional sound keys of "Config.cfg".
struct SoundSettings
{
    /// "SoundVolume" (percent, clamped to 0..100) and "SoundMute" (0 or 1); an
    /// absent or unreadable key keeps the default and is never reported.
    static SoundSettings Read(const ConfigFile& config);

    /// Master gain the listener gets: 0 when muted, else volume / 100.
    float Gain() const { return mute ? 0.0f : volume / 100.0f; }

    float volume = 70.0f; // percent of full scale
    bool mute = false;    // true: the mix is kept silent
};
