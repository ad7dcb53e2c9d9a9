// The command line as the screen-saver machinery hands it over: the tail
// after the program name, then the switch and the window number it carries.
// One table over the pure functions, for a single-byte and a double-byte
// (Shift-JIS) code page.

#include "command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// How CharNextA steps: one byte, or two after a lead byte unless the text
// ends there; never past the end.
LPSTR WINAPI SingleByteStep(LPCSTR position)
{
    return const_cast<LPSTR>(*position ? position + 1 : position);
}

bool IsShiftJisLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

LPSTR WINAPI ShiftJisStep(LPCSTR position)
{
    if (!*position) return const_cast<LPSTR>(position);
    if (IsShiftJisLeadByte(static_cast<unsigned char>(*position)) && position[1]) return const_cast<LPSTR>(position + 2);
    return const_cast<LPSTR>(position + 1);
}

enum CodePage { SINGLE_BYTE, SHIFT_JIS };

struct CommandCase {
    const char* name;
    std::string line;      // the whole command line, program name first
    CodePage codePage;
    std::string tail;      // what is left after the program name and blanks
    SaverMode mode;
    const char* argument;  // the text the mode reads; null for none
    DWORD number;          // the window number read from it
};

void PrintTo(const CommandCase& c, std::ostream* out) { *out << c.name; }

class CommandLine : public testing::TestWithParam<CommandCase> {};

TEST_P(CommandLine, FindsTheTailAndChoosesTheMode)
{
    const CommandCase& c = GetParam();
    LPCSTR tail = FindCommandTail(c.line.c_str(), c.codePage == SHIFT_JIS ? ShiftJisStep : SingleByteStep);
    ASSERT_EQ(std::string(tail), c.tail);
    EXPECT_EQ(tail, c.line.c_str() + c.line.size() - c.tail.size()) << "the tail points into the line";

    SwitchChoice choice = ChooseSwitch(tail);
    EXPECT_EQ(choice.mode, c.mode);
    if (c.argument == nullptr) {
        EXPECT_EQ(choice.argument, nullptr);
    } else {
        ASSERT_NE(choice.argument, nullptr);
        EXPECT_EQ(std::string(choice.argument), c.argument);
        EXPECT_EQ(ReadWindowNumber(choice.argument), c.number);
        EXPECT_EQ(ParseWindowNumber(choice.argument), reinterpret_cast<HWND>(static_cast<UINT_PTR>(c.number)));
    }
}

const std::string kZeros(64 * 1024, '0');
const std::string kSpaces(64 * 1024, ' ');
const std::string kLongNumber = kZeros + "42";
const std::string kLongOwner = kZeros + "7";
const std::string kSwitchPrefix = [] {
    std::string prefix;
    while (prefix.size() < 64 * 1024) prefix += "/ -";
    return prefix;
}();

// The program name is "aokiri.scr" unless the row is about the name.
INSTANTIATE_TEST_SUITE_P(
    Table, CommandLine,
    testing::Values(
        // The program name.
        CommandCase{"nameOnly", "aokiri.scr", SINGLE_BYTE, "", MODE_SETTINGS, nullptr, 0},
        CommandCase{"quotedNameOnly", "\"C:\\Program Files\\aokiri.scr\"", SINGLE_BYTE, "", MODE_SETTINGS, nullptr, 0},
        CommandCase{"quotedNameWithBlanks", "\"C:\\Program Files\\aokiri.scr\" /s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"plainName", "aokiri.scr /s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"unclosedQuote", "\"C:\\Program Files\\aokiri.scr /s", SINGLE_BYTE, "", MODE_SETTINGS, nullptr, 0},
        CommandCase{"emptyQuotes", "\"\" /s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"textRightAfterClosingQuote", "\"aokiri.scr\"/s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"leadingBlankSkipsNoName", " /s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"leadingBlankLeavesTheNameAsTail", "  aokiri.scr /p 5", SINGLE_BYTE, "aokiri.scr /p 5", MODE_CHANGE_PASSWORD, "okiri.scr /p 5", 0},
        CommandCase{"leadingTab", "\t/p 7", SINGLE_BYTE, "/p 7", MODE_PREVIEW, "7", 7},
        CommandCase{"emptyLine", "", SINGLE_BYTE, "", MODE_SETTINGS, nullptr, 0},
        CommandCase{"nameEndsAtControlByte", "aokiri\x05.scr /s", SINGLE_BYTE, ".scr /s", MODE_NONE, nullptr, 0},
        CommandCase{"highBytesInName", "\xE6\xBB\x9D.scr /s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        // Blanks between the name and the switch.
        CommandCase{"tabsAfterName", "aokiri.scr\t\t/s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"controlBytesAfterName", "aokiri.scr \x01\x1F\x7F/s", SINGLE_BYTE, "\x7F/s", MODE_NONE, nullptr, 0},
        CommandCase{"tabBetweenSlashAndLetter", "aokiri.scr /\ts", SINGLE_BYTE, "/\ts", MODE_NONE, nullptr, 0},
        CommandCase{"blanksOnly", "aokiri.scr   \t ", SINGLE_BYTE, "", MODE_SETTINGS, nullptr, 0},
        // Full screen.
        CommandCase{"upperS", "aokiri.scr /S", SINGLE_BYTE, "/S", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"dashS", "aokiri.scr -s", SINGLE_BYTE, "-s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"bareS", "aokiri.scr s", SINGLE_BYTE, "s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"doubleSlashS", "aokiri.scr //s", SINGLE_BYTE, "//s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"slashSpaceDashS", "aokiri.scr / - s", SINGLE_BYTE, "/ - s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"restIgnored", "aokiri.scr /sx /p 5", SINGLE_BYTE, "/sx /p 5", MODE_FULL_SCREEN, nullptr, 0},
        // No switch letter.
        CommandCase{"slashAlone", "aokiri.scr /", SINGLE_BYTE, "/", MODE_SETTINGS, nullptr, 0},
        CommandCase{"dashAlone", "aokiri.scr -", SINGLE_BYTE, "-", MODE_SETTINGS, nullptr, 0},
        CommandCase{"slashesDashesSpaces", "aokiri.scr /-/ - ", SINGLE_BYTE, "/-/ - ", MODE_SETTINGS, nullptr, 0},
        // Settings with an owner.
        CommandCase{"cAlone", "aokiri.scr /c", SINGLE_BYTE, "/c", MODE_SETTINGS_OWNED, nullptr, 0},
        CommandCase{"cSpaceNumber", "aokiri.scr /c 567", SINGLE_BYTE, "/c 567", MODE_SETTINGS_OWNED, nullptr, 0},
        CommandCase{"cColonNumber", "aokiri.scr /c:567", SINGLE_BYTE, "/c:567", MODE_SETTINGS_OWNED, "567", 567},
        CommandCase{"upperCColonNumber", "aokiri.scr /C:567", SINGLE_BYTE, "/C:567", MODE_SETTINGS_OWNED, "567", 567},
        CommandCase{"cColonZero", "aokiri.scr /c:0", SINGLE_BYTE, "/c:0", MODE_SETTINGS_OWNED, "0", 0},
        CommandCase{"cColonNothing", "aokiri.scr /c:", SINGLE_BYTE, "/c:", MODE_SETTINGS_OWNED, "", 0},
        CommandCase{"cColonSpaceNumber", "aokiri.scr /c: 567", SINGLE_BYTE, "/c: 567", MODE_SETTINGS_OWNED, " 567", 0},
        // Preview.
        CommandCase{"pSpaceNumber", "aokiri.scr /p 567", SINGLE_BYTE, "/p 567", MODE_PREVIEW, "567", 567},
        CommandCase{"lSpaceNumber", "aokiri.scr /l 567", SINGLE_BYTE, "/l 567", MODE_PREVIEW, "567", 567},
        CommandCase{"upperPAndL", "aokiri.scr /P 5 /L 6", SINGLE_BYTE, "/P 5 /L 6", MODE_PREVIEW, "5 /L 6", 5},
        CommandCase{"upperL", "aokiri.scr -L 6", SINGLE_BYTE, "-L 6", MODE_PREVIEW, "6", 6},
        CommandCase{"pNumberAttached", "aokiri.scr /p567", SINGLE_BYTE, "/p567", MODE_PREVIEW, "567", 567},
        CommandCase{"pColonNumber", "aokiri.scr /p:567", SINGLE_BYTE, "/p:567", MODE_PREVIEW, ":567", 0},
        CommandCase{"pAlone", "aokiri.scr /p", SINGLE_BYTE, "/p", MODE_PREVIEW, "", 0},
        CommandCase{"pManySpaces", "aokiri.scr /p    89", SINGLE_BYTE, "/p    89", MODE_PREVIEW, "89", 89},
        CommandCase{"pTabBeforeNumber", "aokiri.scr /p \t89", SINGLE_BYTE, "/p \t89", MODE_PREVIEW, "\t89", 0},
        CommandCase{"pSignedNumber", "aokiri.scr /p -89", SINGLE_BYTE, "/p -89", MODE_PREVIEW, "-89", 0},
        CommandCase{"pDigitsThenLetters", "aokiri.scr /p 12ab", SINGLE_BYTE, "/p 12ab", MODE_PREVIEW, "12ab", 12},
        CommandCase{"largestNumber", "aokiri.scr /p 4294967295", SINGLE_BYTE, "/p 4294967295", MODE_PREVIEW, "4294967295", 4294967295u},
        CommandCase{"twoTo32Wraps", "aokiri.scr /p 4294967296", SINGLE_BYTE, "/p 4294967296", MODE_PREVIEW, "4294967296", 0},
        CommandCase{"twoTo32PlusOneWraps", "aokiri.scr /p 4294967297", SINGLE_BYTE, "/p 4294967297", MODE_PREVIEW, "4294967297", 1},
        CommandCase{"tenTimesTwoTo32PlusSevenWraps", "aokiri.scr /p 42949672967", SINGLE_BYTE, "/p 42949672967", MODE_PREVIEW, "42949672967", 7},
        // Change password.
        CommandCase{"aSpaceNumber", "aokiri.scr /a 567", SINGLE_BYTE, "/a 567", MODE_CHANGE_PASSWORD, "567", 567},
        CommandCase{"upperANumberAttached", "aokiri.scr /A567", SINGLE_BYTE, "/A567", MODE_CHANGE_PASSWORD, "567", 567},
        // No usable mode.
        CommandCase{"x", "aokiri.scr /x", SINGLE_BYTE, "/x", MODE_NONE, nullptr, 0},
        CommandCase{"digit", "aokiri.scr /1", SINGLE_BYTE, "/1", MODE_NONE, nullptr, 0},
        CommandCase{"question", "aokiri.scr /?", SINGLE_BYTE, "/?", MODE_NONE, nullptr, 0},
        CommandCase{"colonFirst", "aokiri.scr :s", SINGLE_BYTE, ":s", MODE_NONE, nullptr, 0},
        CommandCase{"byte80", "aokiri.scr \x80s", SINGLE_BYTE, "\x80s", MODE_NONE, nullptr, 0},
        CommandCase{"byteFFAfterSlash", "aokiri.scr /\xFFs", SINGLE_BYTE, "/\xFFs", MODE_NONE, nullptr, 0},
        CommandCase{"fullWidthS", "aokiri.scr \x82\x93", SHIFT_JIS, "\x82\x93", MODE_NONE, nullptr, 0},
        // Double-byte characters: a lead byte takes the next byte with it,
        // even a quote or a blank, but never the end of the text.
        CommandCase{"sjisPathInQuotes", "\"C:\\\x91\xEA\\aokiri.scr\" /s", SHIFT_JIS, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"quoteAfterLeadByteSingle", "\"ab\x81\" /s\" /p 5", SINGLE_BYTE, "/s\" /p 5", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"quoteAfterLeadByteDouble", "\"ab\x81\" /s\" /p 5", SHIFT_JIS, "/p 5", MODE_PREVIEW, "5", 5},
        CommandCase{"leadByteAtEndOfQuotedName", "\"ab\x81", SHIFT_JIS, "", MODE_SETTINGS, nullptr, 0},
        CommandCase{"blankAfterLeadByteSingle", "ab\x81 /s", SINGLE_BYTE, "/s", MODE_FULL_SCREEN, nullptr, 0},
        CommandCase{"blankAfterLeadByteDouble", "ab\x81 /s", SHIFT_JIS, "", MODE_SETTINGS, nullptr, 0},
        CommandCase{"leadByteAtEndOfName", "ab\x81", SHIFT_JIS, "", MODE_SETTINGS, nullptr, 0},
        // 64 KB tails.
        CommandCase{"longNumber", "aokiri.scr /p " + kLongNumber, SINGLE_BYTE, "/p " + kLongNumber, MODE_PREVIEW,
                    kLongNumber.c_str(), 42},
        CommandCase{"longBlanks", "aokiri.scr" + kSpaces + "/c:" + kLongOwner, SINGLE_BYTE, "/c:" + kLongOwner,
                    MODE_SETTINGS_OWNED, kLongOwner.c_str(), 7},
        CommandCase{"longSwitchPrefix", "aokiri.scr " + kSwitchPrefix + "s", SHIFT_JIS, kSwitchPrefix + "s",
                    MODE_FULL_SCREEN, nullptr, 0}),
    [](const testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

}  // namespace
