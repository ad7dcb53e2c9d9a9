// The settings file of the test process, in the platform's Windows
// directory (under Wine, the prefix's; on Linux, AOKIRI_CONFIG_DIR).
#pragma once

#include <string>
#include <vector>

std::string SettingsFilePath();
void WriteSettingsFile(const std::string& bytes);
std::string ReadSettingsFile();

// The non-blank lines of the file, without their line ends.
std::vector<std::string> SettingsFileLines();

// Removes whatever stands at the settings file's path, file or folder.
void RemoveSettingsFile();
