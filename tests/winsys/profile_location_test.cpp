// Where the Linux layer keeps profile files, and how it replaces them.

#include "platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class ProfileLocation : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("aokiri-profile-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        Save("AOKIRI_CONFIG_DIR");
        Save("XDG_CONFIG_HOME");
        Save("HOME");
        unsetenv("AOKIRI_CONFIG_DIR");
        unsetenv("XDG_CONFIG_HOME");
        setenv("HOME", (root_ / "home").c_str(), 1);
    }

    void TearDown() override
    {
        for (auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
        fs::remove_all(root_);
    }

    static std::string ReadFile(const fs::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    fs::path root_;

private:
    void Save(const char* name)
    {
        const char* value = std::getenv(name);
        saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(ProfileLocation, ChoosesTheConfigurationFolderInOrder)
{
    struct {
        const char* aokiriDir;
        const char* xdgHome;
        fs::path expected;
    } cases[] = {
        {nullptr, nullptr, root_ / "home/.config/aokiri/a.ini"},
        {nullptr, "xdg", root_ / "xdg/aokiri/a.ini"},
        {"mine", "xdg", root_ / "mine/a.ini"},
    };
    for (const auto& c : cases) {
        if (c.aokiriDir) setenv("AOKIRI_CONFIG_DIR", (root_ / c.aokiriDir).c_str(), 1);
        if (c.xdgHome) setenv("XDG_CONFIG_HOME", (root_ / c.xdgHome).c_str(), 1);
        ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "1", "a.ini")) << c.expected;
        EXPECT_TRUE(fs::is_regular_file(c.expected)) << c.expected;
        char dir[MAX_PATH];
        EXPECT_EQ(fs::path(dir, dir + GetWindowsDirectoryA(dir, MAX_PATH)), c.expected.parent_path());
        unsetenv("AOKIRI_CONFIG_DIR");
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST_F(ProfileLocation, ANameWithASlashIsAPath)
{
    fs::path path = root_ / "elsewhere/b.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "7", path.c_str()));
    EXPECT_EQ(GetPrivateProfileIntA("S", "K", 0, path.c_str()), 7u);
    EXPECT_FALSE(fs::exists(root_ / "home/.config/aokiri"));
}

TEST_F(ProfileLocation, ReplacementLeavesNoTemporaryFileAndKeepsThePermissions)
{
    fs::path path = root_ / "c.ini";
    std::ofstream(path) << "[S]\nK=1\n";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "2", path.c_str()));
    EXPECT_EQ(ReadFile(path), "[S]\nK=2\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()), 1);
}

TEST_F(ProfileLocation, UnwritableFolderFailsAndCreatesNothing)
{
    std::ofstream(root_ / "file") << "not a folder";
    setenv("AOKIRI_CONFIG_DIR", (root_ / "file/sub").c_str(), 1);
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "1", "d.ini"));
    EXPECT_EQ(ReadFile(root_ / "file"), "not a folder");
    EXPECT_EQ(GetPrivateProfileIntA("S", "K", 5, "d.ini"), 5u);
}

TEST_F(ProfileLocation, WindowsDirectoryReportsTheSizeItNeeds)
{
    setenv("AOKIRI_CONFIG_DIR", "/x/y", 1);
    char small[4];
    EXPECT_EQ(GetWindowsDirectoryA(small, sizeof small), 5u);
    char enough[8];
    EXPECT_EQ(GetWindowsDirectoryA(enough, sizeof enough), 4u);
    EXPECT_STREQ(enough, "/x/y");
}

TEST_F(ProfileLocation, AddingToAFileWithoutFinalNewlineStartsANewLine)
{
    fs::path path = root_ / "e.ini";
    std::ofstream(path) << "[S]\r\nK=1";
    ASSERT_TRUE(WritePrivateProfileStringA("T", "L", "2", path.c_str()));
    EXPECT_EQ(ReadFile(path), "[S]\r\nK=1\r\n[T]\r\nL=2\r\n");
}

}  // namespace
