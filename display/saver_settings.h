// The four user choices, kept one key to a section in a profile file that
// only the settings dialog writes.
#pragma once

#include <cstdint>

constexpr char SETTINGS_FILE[] = "Wf_Aokiri.ini";

// Each read value is cut to its low 16 bits, read as a signed number;
// nothing is range-checked, every consumer maps what it finds.
struct SaverSettings {
    int16_t speed;     // pixels per tick on both axes; the dialog offers 4, 2, 1
    int16_t moveMode;  // a MoveMode
    int16_t soundOff;  // 0: the waterfall sound plays
    int16_t distance;  // 1: far view, 0: near view
};

enum SettingKey { SETTING_SPEED, SETTING_MOVING, SETTING_SOUND, SETTING_DISTANCE };

// The value of one key, or its default when the file, section or key is missing.
int16_t ReadSetting(SettingKey key);

// Stores one value as "%d" text; false when the file could not be written.
bool WriteSetting(SettingKey key, int16_t value);

// All four, in the order SPEED, MOVING, SOUND, DISTANCE.
SaverSettings ReadSaverSettings();

// Writes the four keys in the order SPEED, MOVING, SOUND, DISTANCE and stops
// at the first that fails; false then.
bool WriteSaverSettings(const SaverSettings& settings);
