// The real settings dialog, built from template 2003 by DialogBoxParamA and
// driven from a thread timer, which the dialog's modal loop (and that of any
// message box it shows) dispatches: the buttons it checks for what the file
// holds, what OK writes, and the ways to leave without writing.

#include "saver_settings.h"
#include "settings_dialog.h"
#include "settings_file.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// Every radio button of the dialog, the hidden 1011 included.
constexpr int kRadioButtons[] = {1000, 1001, 1002, 1009, 1010, 1011, 1012, 1013, 1014, 1015, 1021, 1022, 1024, 1025};

// Gives up on a dialog that the scenario left open, so that a fault fails
// the test instead of hanging it.
constexpr int kTicksBeforeGivingUp = 2000;
constexpr INT_PTR kGaveUp = 0x5A5A;

struct DialogRun {
    std::function<void(HWND)> drive;
    bool driven = false;
    int ticks = 0;
    std::set<HWND> boxesSeen;
    std::vector<std::string> boxTexts;
};

DialogRun* currentRun = nullptr;

BOOL CALLBACK CollectDialogs(HWND window, LPARAM list)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

BOOL CALLBACK AppendStaticText(HWND child, LPARAM text)
{
    char className[16] = "", line[1024] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, line, sizeof line) > 0)
        *reinterpret_cast<std::string*>(text) += std::string(line) + "\n";
    return TRUE;
}

// The settings dialog is driven once; any other dialog of the thread is a
// message box, whose texts are kept before it is answered.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    DialogRun& run = *currentRun;
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
        if (GetDlgItem(dialog, 1009) != nullptr) {
            if (!run.driven) {
                run.driven = true;
                run.drive(dialog);
            } else if (++run.ticks == kTicksBeforeGivingUp) {
                EndDialog(dialog, kGaveUp);
            }
        } else if (run.boxesSeen.insert(dialog).second) {
            std::string text;
            EnumChildWindows(dialog, AppendStaticText, reinterpret_cast<LPARAM>(&text));
            run.boxTexts.push_back(text);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
    }
}

struct Outcome {
    INT_PTR result;
    std::vector<std::string> boxTexts;
};

INT_PTR OpenDialog()
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(SETTINGS_DIALOG_ID), nullptr,
                           SettingsDialogProc, 0);
}

// open: what shows the dialog and returns its end value.
Outcome RunDialog(std::function<void(HWND)> drive, std::function<INT_PTR()> open = OpenDialog)
{
    DialogRun run;
    run.drive = std::move(drive);
    currentRun = &run;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    INT_PTR result = open();
    KillTimer(nullptr, timer);
    currentRun = nullptr;
    EXPECT_TRUE(run.driven) << "the dialog never ran its loop";
    EXPECT_NE(result, kGaveUp) << "the dialog did not end";
    return Outcome{result, run.boxTexts};
}

std::set<int> CheckedButtons(HWND dialog)
{
    std::set<int> checked;
    for (int button : kRadioButtons)
        if (IsDlgButtonChecked(dialog, button)) checked.insert(button);
    return checked;
}

void Click(HWND dialog, int button) { SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

// A key as the user types it: through the queue, so that the dialog
// manager's own key handling sees it.
void PressKey(HWND dialog, WPARAM key)
{
    HWND focus = GetFocus();
    HWND target = focus != nullptr && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

std::string FileWith(int speed, int moving, int sound, int distance)
{
    return "[SPEED_SECTION]\r\nSPEED=" + std::to_string(speed) + "\r\n[MOVING_SECTION]\r\nMOVING=" +
           std::to_string(moving) + "\r\n[SOUND_SECTION]\r\nSOUND=" + std::to_string(sound) +
           "\r\n[DISTANCE_SECTION]\r\nDISTANCE=" + std::to_string(distance) + "\r\n";
}

std::vector<std::string> LinesOf(int speed, int moving, int sound, int distance)
{
    return {"[SPEED_SECTION]",  "SPEED=" + std::to_string(speed),   "[MOVING_SECTION]",   "MOVING=" + std::to_string(moving),
            "[SOUND_SECTION]",  "SOUND=" + std::to_string(sound),   "[DISTANCE_SECTION]", "DISTANCE=" + std::to_string(distance)};
}

class SettingsDialog : public testing::Test {
protected:
    void SetUp() override { RemoveSettingsFile(); }
    void TearDown() override { RemoveSettingsFile(); }
};

// The buttons checked for what the file holds, after any clicks, and what
// OK then writes.
struct OkCase {
    const char* name;
    std::string file;  // empty: no file at all
    std::vector<int> clicks;
    std::set<int> checked;
    std::vector<std::string> written;
};

void PrintTo(const OkCase& c, std::ostream* out) { *out << c.name; }

class Ok : public SettingsDialog, public testing::WithParamInterface<OkCase> {};

TEST_P(Ok, WritesTheValuesOfTheCheckedButtons)
{
    const OkCase& c = GetParam();
    if (!c.file.empty()) WriteSettingsFile(c.file);
    std::set<int> checked;
    Outcome outcome = RunDialog([&](HWND dialog) {
        for (int button : c.clicks) Click(dialog, button);
        checked = CheckedButtons(dialog);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(checked, c.checked);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(outcome.boxTexts.empty());
    EXPECT_EQ(SettingsFileLines(), c.written);
}

// Nothing clicked: one button per set shows what the file holds.
INSTANTIATE_TEST_SUITE_P(
    Opening, Ok,
    testing::Values(
        OkCase{"noFile", "", {}, {1001, 1009, 1022, 1024}, LinesOf(2, 0, 1, 1)},
        OkCase{"theOtherButtons", FileWith(1, 6, 0, 0), {}, {1002, 1015, 1021, 1025}, LinesOf(1, 6, 0, 0)},
        OkCase{"fast", FileWith(4, 0, 1, 1), {}, {1000, 1009, 1022, 1024}, LinesOf(4, 0, 1, 1)},
        OkCase{"speed3IsVerySlow", FileWith(3, 0, 1, 1), {}, {1002, 1009, 1022, 1024}, LinesOf(1, 0, 1, 1)},
        OkCase{"speed0IsVerySlow", FileWith(0, 0, 1, 1), {}, {1002, 1009, 1022, 1024}, LinesOf(1, 0, 1, 1)},
        OkCase{"speed65540IsFast", FileWith(65540, 0, 1, 1), {}, {1000, 1009, 1022, 1024}, LinesOf(4, 0, 1, 1)},
        OkCase{"bounce", FileWith(2, 1, 1, 1), {}, {1001, 1010, 1022, 1024}, LinesOf(2, 1, 1, 1)},
        OkCase{"moving2ChecksOnlyTheHiddenButton", FileWith(2, 2, 1, 1), {}, {1001, 1011, 1022, 1024},
               LinesOf(2, 2, 1, 1)},
        OkCase{"sideways", FileWith(2, 3, 1, 1), {}, {1001, 1012, 1022, 1024}, LinesOf(2, 3, 1, 1)},
        OkCase{"upDown", FileWith(2, 4, 1, 1), {}, {1001, 1013, 1022, 1024}, LinesOf(2, 4, 1, 1)},
        OkCase{"clockwise", FileWith(2, 5, 1, 1), {}, {1001, 1014, 1022, 1024}, LinesOf(2, 5, 1, 1)},
        OkCase{"moving7IsCentre", FileWith(2, 7, 1, 1), {}, {1001, 1009, 1022, 1024}, LinesOf(2, 0, 1, 1)},
        OkCase{"moving9IsCentre", FileWith(2, 9, 1, 1), {}, {1001, 1009, 1022, 1024}, LinesOf(2, 0, 1, 1)},
        OkCase{"movingMinus1IsCentre", FileWith(2, -1, 1, 1), {}, {1001, 1009, 1022, 1024}, LinesOf(2, 0, 1, 1)},
        OkCase{"sound2PlaysTheSound", FileWith(2, 0, 2, 1), {}, {1001, 1009, 1021, 1024}, LinesOf(2, 0, 0, 1)},
        OkCase{"sound5PlaysTheSound", FileWith(2, 0, 5, 1), {}, {1001, 1009, 1021, 1024}, LinesOf(2, 0, 0, 1)},
        OkCase{"distanceMinus1IsNear", FileWith(2, 0, 1, -1), {}, {1001, 1009, 1022, 1025}, LinesOf(2, 0, 1, 0)},
        OkCase{"distance2IsNear", FileWith(2, 0, 1, 2), {}, {1001, 1009, 1022, 1025}, LinesOf(2, 0, 1, 0)},
        OkCase{"onlyMovingGiven", "[MOVING_SECTION]\nMOVING=4\n", {}, {1001, 1013, 1022, 1024},
               {"[MOVING_SECTION]", "MOVING=4", "[SPEED_SECTION]", "SPEED=2", "[SOUND_SECTION]", "SOUND=1",
                "[DISTANCE_SECTION]", "DISTANCE=1"}}),
    [](const testing::TestParamInfo<OkCase>& info) { return std::string(info.param.name); });

// Clicks on visible buttons first.
INSTANTIATE_TEST_SUITE_P(
    Clicks, Ok,
    testing::Values(
        OkCase{"oneOfEachSet", "", {1000, 1014, 1021, 1025}, {1000, 1014, 1021, 1025}, LinesOf(4, 5, 0, 0)},
        OkCase{"lastClickInASetWins", "", {1000, 1002, 1010, 1013, 1022, 1021}, {1002, 1013, 1021, 1024},
               LinesOf(1, 4, 0, 1)},
        OkCase{"speedsInTurn", FileWith(1, 6, 0, 0), {1000, 1001}, {1001, 1015, 1021, 1025}, LinesOf(2, 6, 0, 0)},
        OkCase{"farAgain", FileWith(1, 6, 0, 0), {1024}, {1002, 1015, 1021, 1024}, LinesOf(1, 6, 0, 1)},
        // A visible motion button replaces the hidden choice, whichever it is.
        OkCase{"hiddenThenCentre", FileWith(2, 2, 1, 1), {1009}, {1001, 1009, 1022, 1024}, LinesOf(2, 0, 1, 1)},
        OkCase{"hiddenThenBounce", FileWith(2, 2, 1, 1), {1010}, {1001, 1010, 1022, 1024}, LinesOf(2, 1, 1, 1)},
        OkCase{"hiddenThenSideways", FileWith(2, 2, 1, 1), {1012}, {1001, 1012, 1022, 1024}, LinesOf(2, 3, 1, 1)},
        OkCase{"hiddenThenUpDown", FileWith(2, 2, 1, 1), {1013}, {1001, 1013, 1022, 1024}, LinesOf(2, 4, 1, 1)},
        OkCase{"hiddenThenClockwise", FileWith(2, 2, 1, 1), {1014}, {1001, 1014, 1022, 1024}, LinesOf(2, 5, 1, 1)},
        OkCase{"hiddenThenCounterClockwise", FileWith(2, 2, 1, 1), {1015}, {1001, 1015, 1022, 1024},
               LinesOf(2, 6, 1, 1)},
        // Buttons of other sets leave the hidden choice alone.
        OkCase{"hiddenKeptBesideOtherSets", FileWith(2, 2, 1, 1), {1000, 1021, 1025}, {1000, 1011, 1021, 1025},
               LinesOf(4, 2, 0, 0)}),
    [](const testing::TestParamInfo<OkCase>& info) { return std::string(info.param.name); });

// The ways to end the dialog: OK writes, everything else writes nothing.
struct EndCase {
    const char* name;
    std::function<void(HWND)> end;
    INT_PTR result;
    std::vector<std::string> written;  // empty: no file
};

void PrintTo(const EndCase& c, std::ostream* out) { *out << c.name; }

class Ending : public SettingsDialog, public testing::WithParamInterface<EndCase> {};

TEST_P(Ending, OnlyOkWrites)
{
    const EndCase& c = GetParam();
    Outcome outcome = RunDialog([&](HWND dialog) { c.end(dialog); });
    EXPECT_EQ(outcome.result, c.result);
    if (c.written.empty()) {
        EXPECT_FALSE(std::filesystem::exists(SettingsFilePath())) << "a file was written";
    } else {
        EXPECT_EQ(SettingsFileLines(), c.written);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Ending,
    testing::Values(
        EndCase{"okButton", [](HWND dialog) { Click(dialog, IDOK); }, 1, LinesOf(2, 0, 1, 1)},
        EndCase{"enterKey", [](HWND dialog) { PressKey(dialog, VK_RETURN); }, 1, LinesOf(2, 0, 1, 1)},
        // The click takes the focus off OK; OK stays the default button.
        EndCase{"enterKeyAfterAClick",
                [](HWND dialog) {
                    Click(dialog, 1000);
                    PressKey(dialog, VK_RETURN);
                },
                1, LinesOf(4, 0, 1, 1)},
        EndCase{"cancelButton",
                [](HWND dialog) {
                    Click(dialog, 1000);
                    Click(dialog, IDCANCEL);
                },
                0, {}},
        EndCase{"escapeKey",
                [](HWND dialog) {
                    Click(dialog, 1000);
                    PressKey(dialog, VK_ESCAPE);
                },
                0, {}},
        EndCase{"closeCommand", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0, {}},
        EndCase{"closeMessage", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }, 0, {}}),
    [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsDialog, OpensWithTheFocusOnOk)
{
    bool focusOnOk = false;
    Outcome outcome = RunDialog([&](HWND dialog) {
        focusOnOk = GetFocus() == GetDlgItem(dialog, IDOK);
        Click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(focusOnOk);
    EXPECT_EQ(outcome.result, 0);
}

TEST_F(SettingsDialog, CancelLeavesAnExistingFileByteForByte)
{
    const std::string file = "; mine\r\n" + FileWith(1, 6, 0, 0);
    WriteSettingsFile(file);
    Outcome outcome = RunDialog([](HWND dialog) {
        Click(dialog, 1000);
        Click(dialog, 1012);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(ReadSettingsFile(), file);
}

TEST_F(SettingsDialog, LeavesOtherMessagesToThePlatform)
{
    bool stillOpen = false;
    std::vector<INT_PTR> results;
    Outcome outcome = RunDialog([&](HWND dialog) {
        for (auto [message, wParam] : std::vector<std::pair<UINT, WPARAM>>{{WM_CLOSE, 0},
                                                                            {WM_TIMER, 1},
                                                                            {WM_COMMAND, 1000},
                                                                            {WM_COMMAND, 1012},
                                                                            {WM_COMMAND, 9999},
                                                                            {WM_COMMAND, MAKEWPARAM(1019, 0)}})
            results.push_back(SettingsDialogProc(dialog, message, wParam, 0));
        stillOpen = IsWindowVisible(dialog) != FALSE;
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(results, std::vector<INT_PTR>(6, FALSE));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_FALSE(std::filesystem::exists(SettingsFilePath()));
}

// The settings modes of the command line, through SaverMain: the dialog's
// owner, and its end value as the mode's result.
enum Owner { NO_OWNER, OUR_WINDOW, FOREGROUND };

struct ModeCase {
    const char* name;
    std::string tail;  // "#" stands for the number of a window of the test
    Owner owner;
    int button;
    int result;
};

void PrintTo(const ModeCase& c, std::ostream* out) { *out << c.name; }

class SettingsMode : public SettingsDialog, public testing::WithParamInterface<ModeCase> {};

TEST_P(SettingsMode, ShowsTheDialogWithItsOwnerAndEndsWithItsResult)
{
    const ModeCase& c = GetParam();
    // Two windows of the test: one named on the command line, one in front.
    HWND ours = CreateWindowA("STATIC", "named", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND front = CreateWindowA("STATIC", "front", WS_POPUP | WS_VISIBLE, 20, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_NE(ours, nullptr);
    ASSERT_NE(front, nullptr);
    SetForegroundWindow(front);
    ASSERT_EQ(GetForegroundWindow(), front);
    std::string tail = c.tail;
    if (size_t hash = tail.find('#'); hash != std::string::npos)
        tail.replace(hash, 1, std::to_string(reinterpret_cast<uintptr_t>(ours)));
    const HWND expectedOwner = c.owner == OUR_WINDOW ? ours : c.owner == FOREGROUND ? front : nullptr;
    HWND owner = reinterpret_cast<HWND>(-1);
    Outcome outcome = RunDialog(
        [&](HWND dialog) {
            owner = GetWindow(dialog, GW_OWNER);
            Click(dialog, c.button);
        },
        [&] { return static_cast<INT_PTR>(SaverMain(GetModuleHandleA(nullptr), tail.c_str())); });
    DestroyWindow(ours);
    DestroyWindow(front);
    EXPECT_EQ(owner, expectedOwner);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(std::filesystem::exists(SettingsFilePath()), c.result == 1);
}

INSTANTIATE_TEST_SUITE_P(
    Tails, SettingsMode,
    testing::Values(ModeCase{"noLetterOk", "", NO_OWNER, IDOK, 1},
                    ModeCase{"ownedByTheNamedWindowCancel", "/c:#", OUR_WINDOW, IDCANCEL, 0},
                    ModeCase{"noColonMeansTheForegroundWindowOk", "/C #", FOREGROUND, IDOK, 1}),
    [](const testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsDialog, FailedWriteIsReportedAndEndsAsCancelled)
{
    // A folder where the file should be: the write fails even for root,
    // which read-only bits would not stop.
    std::filesystem::create_directories(SettingsFilePath());
    Outcome outcome = RunDialog([](HWND dialog) {
        Click(dialog, 1000);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.boxTexts.size(), 1u) << "one message box";
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    const std::string path = std::string(folder) + "\\" + SETTINGS_FILE;
    EXPECT_NE(outcome.boxTexts[0].find(path), std::string::npos) << outcome.boxTexts[0] << " does not name " << path;
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFilePath()));
}

}  // namespace
