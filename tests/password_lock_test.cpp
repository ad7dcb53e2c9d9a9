// The Windows 9x password lock, run with Wine reporting the Windows 9x
// platform (this program's Version is win98 in the prefix). The checker is
// the tests' own "PASSWORD.CPL"; SetDllDirectoryA chooses the folder that
// LoadLibraryA finds it in: one with the checker, one with a module that
// lacks the routine, or none. The setting is the real registry value of the
// prefix's user.
#include "close_rules.h"
#include "password_lock.h"
#include "win/saver_test_window.h"
#include "startup.h"
#include "win/system_calls.h"
#include "waterfall_proc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char DESKTOP_KEY[] = "Control Panel\\Desktop";
constexpr char PASSWORD_VALUE[] = "ScreenSaveUsePassword";

std::string TestFolder(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

enum class Module { Checker, WithoutRoutine, Missing };

void ChooseCheckerFolder(Module module)
{
    switch (module) {
    case Module::Checker: SetDllDirectoryA(TestFolder("checker").c_str()); break;
    case Module::WithoutRoutine: SetDllDirectoryA(TestFolder("checker-without-routine").c_str()); break;
    case Module::Missing: SetDllDirectoryA(TestFolder("no-checker").c_str()); break;
    }
}

void WritePasswordValue(DWORD type, const std::vector<BYTE>& data)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, DESKTOP_KEY, &key), ERROR_SUCCESS);
    RegSetValueExA(key, PASSWORD_VALUE, 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

void RemovePasswordValue()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, DESKTOP_KEY, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, PASSWORD_VALUE);
    RegCloseKey(key);
}

void UsePassword(DWORD value)
{
    WritePasswordValue(REG_DWORD, {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)});
}

BOOL SaverRunning()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running;
}

bool CheckerModuleLoaded()
{
    return GetModuleHandleA("PASSWORD.CPL") != nullptr;
}

// The tests' checker's own controls, found in the loaded module.
template <typename Proc>
Proc CheckerControl(const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(passwordModule, name)));
}

void SetCheckerAnswer(BOOL answer)
{
    CheckerControl<void (*)(BOOL)>("SetCheckerAnswer")(answer);
}

LONG CheckerCalls()
{
    return CheckerControl<LONG (*)()>("CheckerCalls")();
}

void SetCheckerAction(void (*action)(HWND))
{
    CheckerControl<void (*)(void (*)(HWND))>("SetCheckerAction")(action);
}

class PasswordLockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExA(&version);
        ASSERT_EQ(version.dwPlatformId, DWORD(VER_PLATFORM_WIN32_WINDOWS)) << "Wine reports Windows 9x to this program";
        ResetHostState();
        isWin9x = TRUE;
        RemovePasswordValue();
        ChooseCheckerFolder(Module::Checker);
        SetSaverRunning(FALSE);
    }

    void TearDown() override
    {
        if (passwordModule) SetCheckerAction(nullptr);
        isWin9x = TRUE;
        UnloadPasswordHook();
        RemovePasswordValue();
        SetDllDirectoryA(nullptr);
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        TakePostedCloses(nullptr);
        TakeQuit();
    }

    // The checker loaded as the full-screen saver loads it, answering answer.
    void LoadChecker(BOOL answer)
    {
        UsePassword(1);
        LoadPasswordHook();
        ASSERT_NE(verifyPassword, nullptr);
        SetCheckerAnswer(answer);
    }

    HWND Window()
    {
        if (!window_) window_ = CreateSaverTestWindow();
        return window_;
    }

    HWND window_ = nullptr;
};

// ---------------------------------------------------------------------------
// Loading: the setting and the module decide.

struct LoadRow {
    const char* name;
    bool valuePresent;
    DWORD type;
    std::vector<BYTE> data;
    Module module;
    // out
    bool checker;
    std::vector<std::string> moduleCalls;  // LoadLibraryA, GetProcAddress, FreeLibrary
};

std::ostream& operator<<(std::ostream& out, const LoadRow& row)
{
    return out << row.name;
}

const std::vector<std::string> LOADS_AND_KEEPS = {"LoadLibraryA PASSWORD.CPL", "GetProcAddress VerifyScreenSavePwd"};

const LoadRow LOAD_ROWS[] = {
    {"PasswordSet", true, REG_DWORD, {1, 0, 0, 0}, Module::Checker, true, LOADS_AND_KEEPS},
    {"AnyNonZeroValue", true, REG_DWORD, {0, 0, 0, 0x80}, Module::Checker, true, LOADS_AND_KEEPS},
    {"ValueZero", true, REG_DWORD, {0, 0, 0, 0}, Module::Checker, false, {}},
    {"ValueMissing", false, REG_DWORD, {}, Module::Checker, false, {}},
    {"OneByteOne", true, REG_BINARY, {1}, Module::Checker, true, LOADS_AND_KEEPS},
    {"OneByteZeroReadsIntoAZeroedField", true, REG_BINARY, {0}, Module::Checker, false, {}},
    {"TwoBytesZero", true, REG_BINARY, {0, 0}, Module::Checker, false, {}},
    {"TypeNotTestedTextOne", true, REG_SZ, {'1', 0}, Module::Checker, true, LOADS_AND_KEEPS},
    {"LongerThanFourBytes", true, REG_BINARY, {1, 0, 0, 0, 0}, Module::Checker, false, {}},
    {"ModuleMissing", true, REG_DWORD, {1, 0, 0, 0}, Module::Missing, false, {"LoadLibraryA PASSWORD.CPL"}},
    {"ModuleWithoutTheRoutine", true, REG_DWORD, {1, 0, 0, 0}, Module::WithoutRoutine, false,
     {"LoadLibraryA PASSWORD.CPL", "GetProcAddress VerifyScreenSavePwd", "FreeLibrary"}},
};

class LoadPasswordHookTable : public PasswordLockTest, public ::testing::WithParamInterface<LoadRow> {};

TEST_P(LoadPasswordHookTable, Row)
{
    const LoadRow& row = GetParam();
    if (row.valuePresent) WritePasswordValue(row.type, row.data);
    ChooseCheckerFolder(row.module);

    SystemCallRecorder recorder({"RegOpenKeyA", "RegQueryValueExA", "RegCloseKey", "LoadLibraryA", "GetProcAddress",
                                 "FreeLibrary", "SystemParametersInfoA"});
    LoadPasswordHook();

    EXPECT_EQ(recorder.Texts("Reg"),
              (std::vector<std::string>{"RegOpenKeyA Control Panel\\Desktop", "RegQueryValueExA ScreenSaveUsePassword size 4",
                                        "RegCloseKey"}));
    std::vector<std::string> moduleCalls = recorder.Texts("LoadLibraryA");
    for (const std::string& call : recorder.Texts("GetProcAddress")) moduleCalls.push_back(call);
    for (const std::string& call : recorder.Texts("FreeLibrary")) moduleCalls.push_back(call);
    EXPECT_EQ(moduleCalls, row.moduleCalls);
    EXPECT_EQ(verifyPassword != nullptr, row.checker);
    EXPECT_EQ(passwordModule != nullptr, row.checker);
    EXPECT_EQ(CheckerModuleLoaded(), row.checker);
    EXPECT_EQ(recorder.Texts("SystemParametersInfoA"),
              row.checker ? std::vector<std::string>{"SystemParametersInfoA 97 1 state 1 flags 0"}
                          : std::vector<std::string>{});
    EXPECT_EQ(SaverRunning(), row.checker ? TRUE : FALSE);
}

INSTANTIATE_TEST_SUITE_P(Rows, LoadPasswordHookTable, ::testing::ValuesIn(LOAD_ROWS),
                         [](const ::testing::TestParamInfo<LoadRow>& info) { return info.param.name; });

TEST_F(PasswordLockTest, UnloadFreesTheCheckerAndEndsTheRunningState)
{
    LoadChecker(1);
    ASSERT_TRUE(SaverRunning());
    SystemCallRecorder recorder({"FreeLibrary", "SystemParametersInfoA"});
    UnloadPasswordHook();
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"FreeLibrary", "SystemParametersInfoA 97 0 state 0 flags 0"}));
    EXPECT_EQ(passwordModule, nullptr);
    EXPECT_EQ(verifyPassword, nullptr);
    EXPECT_FALSE(CheckerModuleLoaded());
    EXPECT_FALSE(SaverRunning());
}

TEST_F(PasswordLockTest, LoadingAgainFreesFirstThenLoads)
{
    LoadChecker(1);
    SystemCallRecorder recorder({"LoadLibraryA", "FreeLibrary", "SystemParametersInfoA"});
    LoadPasswordHook();
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"FreeLibrary", "SystemParametersInfoA 97 0 state 0 flags 0",
                                                          "LoadLibraryA PASSWORD.CPL",
                                                          "SystemParametersInfoA 97 1 state 1 flags 0"}));
    EXPECT_NE(verifyPassword, nullptr);
    EXPECT_TRUE(SaverRunning());
}

TEST_F(PasswordLockTest, RunningStateHoldsWhileTheCheckerAsks)
{
    LoadChecker(1);
    static BOOL runningWhileAsking;
    SetCheckerAction([](HWND) { runningWhileAsking = SaverRunning(); });
    EXPECT_TRUE(VerifyUnlock(Window()));
    EXPECT_TRUE(runningWhileAsking);
    UnloadPasswordHook();
    EXPECT_FALSE(SaverRunning());
}

const char* const LOCK_ROUTINES[] = {"RegOpenKeyA", "RegQueryValueExA", "RegCloseKey", "LoadLibraryA",
                                     "GetProcAddress", "FreeLibrary", "SystemParametersInfoA"};

SystemCallRecorder RecordLockCalls()
{
    return SystemCallRecorder({LOCK_ROUTINES[0], LOCK_ROUTINES[1], LOCK_ROUTINES[2], LOCK_ROUTINES[3],
                               LOCK_ROUTINES[4], LOCK_ROUTINES[5], LOCK_ROUTINES[6]});
}

TEST_F(PasswordLockTest, UnloadWithNothingLoadedMakesNoSystemCall)
{
    SystemCallRecorder recorder = RecordLockCalls();
    UnloadPasswordHook();
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{});
}

TEST_F(PasswordLockTest, OutsideTheWindows9xFamilyTheHooksMakeNoSystemCall)
{
    UsePassword(1);
    SetSaverRunning(TRUE);
    isWin9x = FALSE;
    {
        SystemCallRecorder recorder = RecordLockCalls();
        LoadPasswordHook();
        SetSaverRunning(FALSE);
        EXPECT_EQ(recorder.Texts(), std::vector<std::string>{});
    }
    EXPECT_EQ(verifyPassword, nullptr);
    EXPECT_TRUE(SaverRunning()) << "left as it was";

    // Even with a module in hand, unloading leaves it alone.
    HMODULE module = LoadLibraryA("PASSWORD.CPL");
    ASSERT_NE(module, nullptr);
    passwordModule = module;
    {
        SystemCallRecorder recorder = RecordLockCalls();
        UnloadPasswordHook();
        EXPECT_EQ(recorder.Texts(), std::vector<std::string>{});
    }
    EXPECT_EQ(passwordModule, module);
    passwordModule = nullptr;
    FreeLibrary(module);
    isWin9x = TRUE;
    SetSaverRunning(FALSE);
}

// ---------------------------------------------------------------------------
// VerifyUnlock with the checker.

TEST_F(PasswordLockTest, WithoutPasswordTheFirstRequestIsApproved)
{
    UsePassword(0);
    LoadPasswordHook();
    SystemCallRecorder recorder({"GetTickCount"});
    EXPECT_EQ(VerifyUnlock(Window()), TRUE);
    EXPECT_EQ(unlocked, 1u);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{}) << "not even the clock is read";
}

TEST_F(PasswordLockTest, AnswerTwoIsStoredAndApproves)
{
    LoadChecker(2);
    EXPECT_EQ(VerifyUnlock(Window()), 2);
    EXPECT_EQ(unlocked, 2u);
    EXPECT_EQ(verifying, 0u);
    EXPECT_EQ(CheckerCalls(), 1);
}

TEST_F(PasswordLockTest, RefusalKeepsTheWindowHidesTheCursorAndRecordsTheEnd)
{
    LoadChecker(0);
    HWND window = Window();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SystemCallRecorder recorder({"GetTickCount"});
    recorder.Script().ticks = {5000, 5300};
    EXPECT_EQ(VerifyUnlock(window), FALSE);
    EXPECT_EQ(unlocked, 0u);
    EXPECT_EQ(verifying, 0u);
    EXPECT_EQ(lastVerifyTick, 5300u) << "the tick at the end of the check";
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_TRUE(IsWindow(Window()));
}

TEST_F(PasswordLockTest, CheckerAskedWithTheWindowWhileVerifyingIsSet)
{
    LoadChecker(1);
    static HWND owner;
    static DWORD verifyingWhileAsking;
    SetCheckerAction([](HWND window) {
        owner = window;
        verifyingWhileAsking = verifying;
    });
    EXPECT_TRUE(VerifyUnlock(Window()));
    EXPECT_EQ(owner, Window());
    EXPECT_EQ(verifyingWhileAsking, 1u);
}

TEST_F(PasswordLockTest, NoCheckWhileVerifying)
{
    LoadChecker(1);
    verifying = 1;
    SystemCallRecorder recorder({"GetTickCount"});
    EXPECT_EQ(VerifyUnlock(Window()), FALSE);
    EXPECT_EQ(CheckerCalls(), 0);
    EXPECT_EQ(unlocked, 0u);
    EXPECT_EQ(lastVerifyTick, 0xFFFFFFFFu);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{});
}

TEST_F(PasswordLockTest, PendingTicksAreTakenOutBeforeAsking)
{
    LoadChecker(0);
    static int ticksWhileAsking;
    SetCheckerAction([](HWND window) {
        MSG message;
        ticksWhileAsking = 0;
        while (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE)) ++ticksWhileAsking;
    });
    KillTimer(Window(), ANIM_TIMER_ID);  // only the ticks posted here are pending
    for (int tick = 0; tick < 3; ++tick) PostMessageA(Window(), WM_TIMER, ANIM_TIMER_ID, 0);
    VerifyUnlock(Window());
    EXPECT_EQ(ticksWhileAsking, 1) << "two of three taken away";
}

// While the checker's dialog dispatches the saver's messages, a close
// request is refused at once and input closes nothing.
TEST_F(PasswordLockTest, MessagesDispatchedDuringTheCheck)
{
    LoadChecker(0);
    SetCheckerAction([](HWND window) {
        PostMessageA(window, WM_KEYDOWN, 'A', 0);
        PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
        MSG message;
        while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    });
    HWND window = Window();
    lastCursor = {1, 1};
    ASSERT_TRUE(PlaceCursor(250, 150));
    PostMessageA(window, WM_CLOSE, 0, 0);
    MSG close;
    ASSERT_TRUE(PeekMessageA(&close, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&close), 0);
    EXPECT_EQ(CheckerCalls(), 1) << "the nested close did not ask again";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(TakePostedCloses(window), 0) << "input during the check posted nothing";
    EXPECT_EQ(lastCursor.x, 250);
    EXPECT_EQ(lastCursor.y, 150);
}

TEST_F(PasswordLockTest, AcceptedCloseDestroysTheWindow)
{
    LoadChecker(1);
    HWND window = Window();
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(unlocked, 1u);
    EXPECT_TRUE(TakeQuit());
}

// ---------------------------------------------------------------------------
// The 200 ms rule, with the clock scripted.

struct Request {
    DWORD now;
    DWORD endOfCheck;  // the clock when the checker has answered, if asked
    bool asked;
};

struct DebounceRow {
    const char* name;
    DWORD lastTick;  // lastVerifyTick before the first request
    std::vector<Request> requests;
};

std::ostream& operator<<(std::ostream& out, const DebounceRow& row)
{
    return out << row.name;
}

const DebounceRow DEBOUNCE_ROWS[] = {
    {"FirstRequestNeverHeldBack", 0xFFFFFFFF, {{0xFFFFFFFF, 0xFFFFFFFF, true}}},
    {"FirstRequestAtTickZero", 0xFFFFFFFF, {{0, 10, true}}},
    {"At199Refused200Asks", 0xFFFFFFFF, {{900, 1000, true}, {1199, 0, false}, {1200, 1300, true}}},
    {"RefusalAt150DoesNotMoveTheReference", 0xFFFFFFFF, {{900, 1000, true}, {1150, 0, false}, {1210, 1250, true}}},
    {"AcrossTheWrap", 0xFFFFFF00, {{80, 90, true}}},
    {"WithinReachAcrossTheWrap", 0xFFFFFFF0, {{0x10, 0, false}, {0xB8, 0xC0, true}}},
    {"CheckEndingAt0xFFFFFFFFLeavesTheNextFree", 0xFFFFFFFF, {{0xFFFFFF00, 0xFFFFFFFF, true}, {4, 5, true}}},
};

class VerifyDebounce : public PasswordLockTest, public ::testing::WithParamInterface<DebounceRow> {};

TEST_P(VerifyDebounce, Requests)
{
    LoadChecker(0);
    lastVerifyTick = GetParam().lastTick;
    SystemCallRecorder recorder({"GetTickCount"});
    LONG asked = 0;
    int number = 0;
    for (const Request& request : GetParam().requests) {
        SCOPED_TRACE("request " + std::to_string(++number) + " at " + std::to_string(request.now));
        DWORD before = lastVerifyTick;
        recorder.Script().ticks = {request.now};
        if (request.asked) recorder.Script().ticks.push_back(request.endOfCheck);
        EXPECT_EQ(VerifyUnlock(Window()), FALSE);
        if (request.asked) ++asked;
        EXPECT_EQ(CheckerCalls(), asked);
        EXPECT_EQ(lastVerifyTick, request.asked ? request.endOfCheck : before);
        EXPECT_TRUE(recorder.Script().ticks.empty()) << "clock read once before and once after a check";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, VerifyDebounce, ::testing::ValuesIn(DEBOUNCE_ROWS),
                         [](const ::testing::TestParamInfo<DebounceRow>& info) { return info.param.name; });

TEST(TickDifference, WrapsModulo2To32)
{
    struct {
        DWORD earlier, later, difference;
    } cases[] = {
        {1000, 1199, 199},
        {1000, 1200, 200},
        {0xFFFFFF00, 80, 336},
        {0xFFFFFFFF, 0, 1},
        {5, 5, 0},
        {1, 0, 0xFFFFFFFF},
    };
    for (const auto& c : cases) EXPECT_EQ(TickDifference(c.earlier, c.later), c.difference) << c.earlier << " to " << c.later;
}

TEST(WithinVerifyDebounce, OverTheNumbers)
{
    struct {
        DWORD lastTick, now;
        bool within;
    } cases[] = {
        {1000, 1199, true},         // T + 199
        {1000, 1200, false},        // T + 200
        {1000, 1150, true},         // T + 150
        {1000, 1210, false},        // T + 210
        {1000, 1000, true},         // the same tick
        {1000, 999, false},         // the clock went back: far, not near
        {0xFFFFFF00, 80, false},    // 2^32 - 256 to 80: 336
        {0xFFFFFFF0, 0x10, true},   // 32 across the wrap
        {0xFFFFFFFF, 0xFFFFFFFF, false},  // no check has ended yet
        {0xFFFFFFFF, 4, false},
        {0xFFFFFFFE, 4, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithinVerifyDebounce(c.lastTick, c.now) != FALSE, c.within) << c.lastTick << " to " << c.now;
}

// ---------------------------------------------------------------------------
// The change-password mode: Wine's MPR.DLL has a PwdChangePasswordA that
// does nothing and answers 0.

TEST_F(PasswordLockTest, ChangePasswordOwnerIsTheNamedWindowOrTheForegroundWindow)
{
    HWND named = Window();
    HWND foreground = CreateParentTestWindow();
    ShowWindow(foreground, SW_SHOW);
    SetForegroundWindow(foreground);
    ASSERT_EQ(GetForegroundWindow(), foreground);
    HWND gone = CreateParentTestWindow();
    DestroyWindow(gone);

    struct {
        std::string text;
        HWND owner;
    } cases[] = {
        {std::to_string(reinterpret_cast<UINT_PTR>(named)), named},
        {std::to_string(reinterpret_cast<UINT_PTR>(named)) + " trailing", named},
        {"", foreground},
        {"no digits", foreground},
        {std::to_string(reinterpret_cast<UINT_PTR>(gone)), foreground},
    };
    for (const auto& c : cases) {
        SystemCallRecorder recorder({"LoadLibraryA", "GetProcAddress", "FreeLibrary"});
        EXPECT_EQ(RunChangePassword(c.text.c_str()), 0) << c.text;
        char expected[128];
        snprintf(expected, sizeof expected, "PwdChangePasswordA SCRSAVE owner %p 0 %p", static_cast<void*>(c.owner),
                 static_cast<void*>(nullptr));
        EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"LoadLibraryA MPR.DLL", "GetProcAddress PwdChangePasswordA",
                                                              expected, "FreeLibrary"}))
            << "text \"" << c.text << "\"";
    }
    DestroyWindow(foreground);
}

}  // namespace
