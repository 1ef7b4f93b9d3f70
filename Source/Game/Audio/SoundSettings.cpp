#include "Audio/SoundSettings.h"

#include "Support/ConfigFile.h"

#include <algorithm>

namespace {

// The value of an optional key, or `fallback` when it is absent or does not convert.
template <typename T>
T OptionalValue(const ConfigFile& config, const char* key, T fallback)
{
    const std::string* text = config.Find(key);
    T value;
    return text && boost::conversion::try_lexical_convert(*text, value) ? value : fallback;
}

} // namespace

SoundSettings SoundSettings::Read(const ConfigFile& config)
{
    SoundSettings settings;
    settings.volume = std::clamp(OptionalValue(config, "SoundVolume", settings.volume), 0.0f, 100.0f);
    settings.mute = OptionalValue(config, "SoundMute", 0) != 0;
    return settings;
}
