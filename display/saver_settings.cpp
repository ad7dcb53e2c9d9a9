#include "saver_settings.h"

#include "platform.h"

namespace {

struct SettingEntry {
    const char* section;
    const char* key;
    int16_t defaultValue;
};

// Indexed by SettingKey.
constexpr SettingEntry kSettings[] = {
    {"SPEED_SECTION", "SPEED", 2},
    {"MOVING_SECTION", "MOVING", 0},
    {"SOUND_SECTION", "SOUND", 1},
    {"DISTANCE_SECTION", "DISTANCE", 1},
};

}  // namespace

int16_t ReadSetting(SettingKey key)
{
    const SettingEntry& entry = kSettings[key];
    UINT value = GetPrivateProfileIntA(entry.section, entry.key, entry.defaultValue, SETTINGS_FILE);
    return static_cast<int16_t>(static_cast<uint16_t>(value));
}

bool WriteSetting(SettingKey key, int16_t value)
{
    const SettingEntry& entry = kSettings[key];
    char text[16];
    wsprintfA(text, "%d", static_cast<int>(value));
    return WritePrivateProfileStringA(entry.section, entry.key, text, SETTINGS_FILE) != FALSE;
}

SaverSettings ReadSaverSettings()
{
    SaverSettings settings;
    settings.speed = ReadSetting(SETTING_SPEED);
    settings.moveMode = ReadSetting(SETTING_MOVING);
    settings.soundOff = ReadSetting(SETTING_SOUND);
    settings.distance = ReadSetting(SETTING_DISTANCE);
    return settings;
}

bool WriteSaverSettings(const SaverSettings& settings)
{
    return WriteSetting(SETTING_SPEED, settings.speed) && WriteSetting(SETTING_MOVING, settings.moveMode) &&
           WriteSetting(SETTING_SOUND, settings.soundOff) && WriteSetting(SETTING_DISTANCE, settings.distance);
}
