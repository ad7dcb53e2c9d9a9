// The settings file read and written through the platform's profile calls:
// Windows (under Wine) and the Linux layer must agree on every case.

#include "saver_settings.h"
#include "settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SettingsFile : public testing::Test {
protected:
    void SetUp() override { RemoveSettingsFile(); }
    void TearDown() override { RemoveSettingsFile(); }
};

void ExpectSettings(const SaverSettings& actual, const SaverSettings& expected)
{
    EXPECT_EQ(actual.speed, expected.speed);
    EXPECT_EQ(actual.moveMode, expected.moveMode);
    EXPECT_EQ(actual.soundOff, expected.soundOff);
    EXPECT_EQ(actual.distance, expected.distance);
}

TEST_F(SettingsFile, MissingFileGivesTheDefaults)
{
    ExpectSettings(ReadSaverSettings(), SaverSettings{2, 0, 1, 1});
    EXPECT_FALSE(std::filesystem::exists(SettingsFilePath())) << "reading must not create the file";
}

TEST_F(SettingsFile, MissingSectionOrKeyGivesThatKeysDefault)
{
    WriteSettingsFile("[SPEED_SECTION]\nSPEED=4\n[MOVING_SECTION]\nOTHER=3\n");
    ExpectSettings(ReadSaverSettings(), SaverSettings{4, 0, 1, 1});
}

struct ReadCase {
    const char* name;
    std::string file;
    int16_t speed;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class ReadSpeed : public SettingsFile, public testing::WithParamInterface<ReadCase> {};

TEST_P(ReadSpeed, AsWindowsReadsIt)
{
    WriteSettingsFile(GetParam().file);
    EXPECT_EQ(ReadSetting(SETTING_SPEED), GetParam().speed);
}

const std::string kGarbage = [] {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
        unsigned char byte = static_cast<unsigned char>((i * 167 + 13) % 256);
        // Keep line ends, brackets and '=' out so that the garbage cannot
        // form a line of its own; a leading byte-order mark is avoided too.
        if (byte == '\n' || byte == '\r' || byte == '[' || byte == ']' || byte == '=' || byte >= 0xEF) byte = 'x';
        bytes += static_cast<char>(byte);
    }
    return bytes;
}();

INSTANTIATE_TEST_SUITE_P(
    Files, ReadSpeed,
    testing::Values(
        ReadCase{"plain", "[SPEED_SECTION]\nSPEED=4\n", 4},
        ReadCase{"crlf", "[SPEED_SECTION]\r\nSPEED=1\r\n", 1},
        ReadCase{"noFinalNewline", "[SPEED_SECTION]\nSPEED=4", 4},
        ReadCase{"blanksAroundEquals", "[SPEED_SECTION]\n  SPEED  =  4  \n", 4},
        ReadCase{"otherLetterCase", "[speed_section]\nspeed=4\n", 4},
        ReadCase{"utf8ByteOrderMark", "\xEF\xBB\xBF[SPEED_SECTION]\nSPEED=4\n", 4},
        ReadCase{"negative", "[SPEED_SECTION]\nSPEED=-3\n", -3},
        ReadCase{"plusSign", "[SPEED_SECTION]\nSPEED=+5\n", 5},
        ReadCase{"low16BitsOf65540", "[SPEED_SECTION]\nSPEED=65540\n", 4},
        ReadCase{"low16BitsSigned", "[SPEED_SECTION]\nSPEED=32768\n", -32768},
        ReadCase{"beyond32BitsWraps", "[SPEED_SECTION]\nSPEED=99999999999\n", -6145},
        ReadCase{"hexPrefix", "[SPEED_SECTION]\nSPEED=0x10\n", 16},
        ReadCase{"digitsThenText", "[SPEED_SECTION]\nSPEED=12abc\n", 12},
        ReadCase{"notANumber", "[SPEED_SECTION]\nSPEED=fast\n", 0},
        ReadCase{"quoted", "[SPEED_SECTION]\nSPEED=\"4\"\n", 4},
        ReadCase{"emptyValue", "[SPEED_SECTION]\nSPEED=\n", 2},
        ReadCase{"lineWithoutEquals", "[SPEED_SECTION]\nSPEED\n", 2},
        ReadCase{"firstOfRepeatedKeys", "[SPEED_SECTION]\nSPEED=4\nSPEED=1\n", 4},
        ReadCase{"onlyFirstOfRepeatedSections", "[SPEED_SECTION]\nX=1\n[SPEED_SECTION]\nSPEED=4\n", 2},
        ReadCase{"keyOutsideAnySection", "SPEED=4\n[SPEED_SECTION]\n", 2},
        ReadCase{"keyInAnotherSection", "[MOVING_SECTION]\nSPEED=4\n", 2},
        ReadCase{"sectionWithoutClosingBracket", "[SPEED_SECTION\nSPEED=4\n", 2},
        ReadCase{"longValueIsCutAt29Characters", "[SPEED_SECTION]\nSPEED=" + std::string(100000, '7') + "\n", 7281},
        ReadCase{"longLineBefore", "X=" + std::string(100000, 'a') + "\n[SPEED_SECTION]\nSPEED=4\n", 4},
        ReadCase{"binaryGarbageBefore", kGarbage + "\n[SPEED_SECTION]\nSPEED=4\n", 4},
        ReadCase{"onlyBinaryGarbage", kGarbage, 2}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, DialogOrderWritesCreateOneSectionPerKeyInThatOrder)
{
    ASSERT_TRUE(WriteSaverSettings(SaverSettings{4, 5, 0, 0}));
    EXPECT_EQ(SettingsFileLines(),
              (std::vector<std::string>{"[SPEED_SECTION]", "SPEED=4", "[MOVING_SECTION]", "MOVING=5",
                                        "[SOUND_SECTION]", "SOUND=0", "[DISTANCE_SECTION]", "DISTANCE=0"}));
    ExpectSettings(ReadSaverSettings(), SaverSettings{4, 5, 0, 0});
}

TEST_F(SettingsFile, ValuesRoundTripAsDecimalText)
{
    for (int16_t value : {int16_t{-4}, int16_t{-32768}, int16_t{32767}, int16_t{0}}) {
        ASSERT_TRUE(WriteSetting(SETTING_MOVING, value));
        EXPECT_EQ(ReadSetting(SETTING_MOVING), value);
        EXPECT_EQ(SettingsFileLines().back(), "MOVING=" + std::to_string(value));
    }
}

TEST_F(SettingsFile, WriteKeepsEveryOtherSectionAndLine)
{
    WriteSettingsFile("[Other]\r\nfoo=bar\r\n;comment\r\n[SPEED_SECTION]\r\nSPEED=1\r\nextra=9\r\n[Last]\r\nz=1\r\n");
    ASSERT_TRUE(WriteSetting(SETTING_SPEED, 4));
    ASSERT_TRUE(WriteSetting(SETTING_SOUND, 0));
    EXPECT_EQ(SettingsFileLines(),
              (std::vector<std::string>{"[Other]", "foo=bar", ";comment", "[SPEED_SECTION]", "SPEED=4", "extra=9",
                                        "[Last]", "z=1", "[SOUND_SECTION]", "SOUND=0"}));
}

TEST_F(SettingsFile, WriteReplacesAKeyWrittenInAnotherStyle)
{
    WriteSettingsFile("[speed_section]\nSpeed = 1\n");
    ASSERT_TRUE(WriteSetting(SETTING_SPEED, 4));
    EXPECT_EQ(ReadSetting(SETTING_SPEED), 4);
    EXPECT_EQ(SettingsFileLines().size(), 2u);
}

TEST_F(SettingsFile, WriteAddsAMissingKeyToItsSection)
{
    WriteSettingsFile("[SPEED_SECTION]\nOTHER=7\n[Next]\nx=1\n");
    ASSERT_TRUE(WriteSetting(SETTING_SPEED, 1));
    EXPECT_EQ(SettingsFileLines(),
              (std::vector<std::string>{"[SPEED_SECTION]", "OTHER=7", "SPEED=1", "[Next]", "x=1"}));
}

TEST_F(SettingsFile, WriteKeepsAUtf8ByteOrderMark)
{
    WriteSettingsFile("\xEF\xBB\xBF[SPEED_SECTION]\nSPEED=1\n");
    ASSERT_TRUE(WriteSetting(SETTING_SPEED, 4));
    EXPECT_EQ(ReadSettingsFile().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ReadSetting(SETTING_SPEED), 4);
}

TEST_F(SettingsFile, FailedWriteIsReportedAndChangesNothing)
{
    // A folder where the file should be: no platform can write the file there.
    std::filesystem::create_directories(SettingsFilePath());
    EXPECT_FALSE(WriteSetting(SETTING_SPEED, 4));
    EXPECT_FALSE(WriteSaverSettings(SaverSettings{4, 5, 0, 0}));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFilePath()));
    EXPECT_EQ(ReadSetting(SETTING_SPEED), 2);
}

}  // namespace
