#include "Audio/SoundSettings.h"

#include "Support/ConfigFile.h"

#include <algorithm>
#include <cmath>

SoundSettings SoundSettings::Read(const ConfigFile& config)
{
    SoundSettings settings;
    const float volume = config.FindValue<float>("SoundVolume").value_or(settings.volume);
    if (!std::isnan(volume)) // "nan" converts, and would pass through the clamp
        settings.volume = std::clamp(volume, 0.0f, 100.0f);
    settings.mute = config.FindValue<int>("SoundMute").value_or(0) != 0;
    return settings;
}
