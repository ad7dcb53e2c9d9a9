#include "settings_file.h"

#include "platform.h"
#include "saver_settings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

std::string SettingsFilePath()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "/" + SETTINGS_FILE;
}

void WriteSettingsFile(const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(SettingsFilePath()).parent_path());
    std::ofstream(SettingsFilePath(), std::ios::binary) << bytes;
}

std::string ReadSettingsFile()
{
    std::ifstream file(SettingsFilePath(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> SettingsFileLines()
{
    std::vector<std::string> lines;
    std::istringstream text(ReadSettingsFile());
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

void RemoveSettingsFile()
{
    std::error_code ignored;
    std::filesystem::remove_all(SettingsFilePath(), ignored);
}
