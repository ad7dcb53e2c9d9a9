// The display procedure under Wine, called directly on a window of the
// test's own. The platform calls it makes are recorded (tests/win/call_log)
// and compared as data; the test program's resources hold BITMAP00 to
// BITMAP05 without BITMAP04, each 8 pixels wide and 10 + n rows high.

#include "close_rules.h"
#include "settings_file.h"
#include "startup.h"
#include "waterfall_proc.h"
#include "win/call_log.h"
#include "win/gdi_count.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Calls = std::vector<std::string>;

namespace {

const char kSpeed[] = "GetPrivateProfileIntA(SPEED_SECTION,SPEED,2,Wf_Aokiri.ini)=";
const char kMoving[] = "GetPrivateProfileIntA(MOVING_SECTION,MOVING,0,Wf_Aokiri.ini)=";
const char kDistance[] = "GetPrivateProfileIntA(DISTANCE_SECTION,DISTANCE,1,Wf_Aokiri.ini)=";
const char kSound[] = "GetPrivateProfileIntA(SOUND_SECTION,SOUND,1,Wf_Aokiri.ini)=";
const char kTimer[] = "SetTimer(window,100,400,null)=100";
const char kBox[] = "MessageBoxA(window,Could Not Loading Bitmaps !!,SCRNSAVE,0x10)";

std::string Loaded(const std::string& name) { return "LoadBitmapA(module," + name + ")=" + name; }
std::string Missing(const std::string& name) { return "LoadBitmapA(module," + name + ")=null"; }

// Closes each message box as soon as its modal loop runs, and counts them.
int boxesClosed;

void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", "SCRNSAVE");
    if (box == nullptr || !IsWindowVisible(box)) return;
    ++boxesClosed;
    ShowWindow(box, SW_HIDE);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class WaterfallProcTest : public testing::Test {
protected:
    void SetUp() override
    {
        call_log::Install();
        RemoveSettingsFile();
        saverInstance = GetModuleHandleA(nullptr);
        for (HBITMAP& frame : frames) frame = nullptr;
        moveMode = distance = soundOff = 0;
        timerStarted = 0;
        motionState = MotionState{};
        boxesClosed = 0;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainProc;
        windowClass.hInstance = saverInstance;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = "WaterfallTestWindow";
        RegisterClassA(&windowClass);
        boxCloser = SetTimer(nullptr, 0, 20, CloseBoxes);
    }

    void TearDown() override
    {
        call_log::Stop();
        if (created) WaterfallProc(window, WM_DESTROY, 0, 0);
        if (window) DestroyWindow(window);
        KillTimer(nullptr, boxCloser);
        RemoveSettingsFile();
    }

    void MakeWindow(int width, int height)
    {
        window = CreateWindowExA(0, "WaterfallTestWindow", "waterfall", WS_POPUP, 0, 0, width, height, nullptr,
                                 nullptr, saverInstance, nullptr);
        ASSERT_NE(window, nullptr);
    }

    // Creation as the saver window's procedure chain delivers it; the
    // record then holds just what the procedure called.
    void Create()
    {
        call_log::Start(window);
        EXPECT_EQ(WaterfallProc(window, WM_CREATE, 0, 0), 0);
        created = true;
    }

    std::vector<std::string> Tick(WPARAM timerId = ANIM_TIMER_ID)
    {
        call_log::ClearCalls();
        WaterfallProc(window, WM_TIMER, timerId, 0);
        return call_log::Calls();
    }

    HWND window = nullptr;
    bool created = false;
    UINT_PTR boxCloser = 0;
};

// ---- Creation -------------------------------------------------------------

struct CreationCase {
    const char* name;
    const char* file;  // null: no settings file
    std::vector<std::string> calls;
    int boxes;
    int16_t step;
};

void PrintTo(const CreationCase& c, std::ostream* out) { *out << c.name; }

class Creation : public WaterfallProcTest, public testing::WithParamInterface<CreationCase> {};

TEST_P(Creation, ReadsLoadsStartsAndPlaysInOrder)
{
    const CreationCase& c = GetParam();
    if (c.file) WriteSettingsFile(c.file);
    MakeWindow(1024, 768);
    Create();
    EXPECT_EQ(call_log::Calls(), Calls(c.calls));
    EXPECT_EQ(boxesClosed, c.boxes) << "boxes actually shown";
    EXPECT_EQ(motionState.xStep, c.step);
    EXPECT_EQ(motionState.yStep, c.step);
    EXPECT_EQ(timerStarted, ANIM_TIMER_ID);
}

std::string S(const char* prefix, int value) { return prefix + std::to_string(value); }

INSTANTIATE_TEST_SUITE_P(
    Settings, Creation,
    testing::Values(
        CreationCase{"noFile", nullptr,
                     {S(kSpeed, 2), S(kMoving, 0), S(kDistance, 1), Loaded("BITMAP00"), Loaded("BITMAP01"),
                      Loaded("BITMAP02"), kTimer, S(kSound, 1)},
                     0, 2},
        CreationCase{"farWithSound", "[SOUND_SECTION]\nSOUND=0\n[SPEED_SECTION]\nSPEED=4\n",
                     {S(kSpeed, 4), S(kMoving, 0), S(kDistance, 1), Loaded("BITMAP00"), Loaded("BITMAP01"),
                      Loaded("BITMAP02"), kTimer, S(kSound, 0), "PlaySoundA(#148,null,0x4000d)"},
                     0, 4},
        CreationCase{"nearWithSoundAndAMissingFrame", "[DISTANCE_SECTION]\nDISTANCE=0\n[SOUND_SECTION]\nSOUND=0\n",
                     {S(kSpeed, 2), S(kMoving, 0), S(kDistance, 0), Loaded("BITMAP03"), Missing("BITMAP04"), kBox,
                      Loaded("BITMAP05"), kTimer, S(kSound, 0), "PlaySoundA(#152,null,0x4000d)"},
                     1, 2},
        CreationCase{"nearSilent", "[DISTANCE_SECTION]\nDISTANCE=0\n[MOVING_SECTION]\nMOVING=5\n",
                     {S(kSpeed, 2), S(kMoving, 5), S(kDistance, 0), Loaded("BITMAP03"), Missing("BITMAP04"), kBox,
                      Loaded("BITMAP05"), kTimer, S(kSound, 1)},
                     1, 2},
        CreationCase{"soundTwoIsSilent", "[SOUND_SECTION]\nSOUND=2\n",
                     {S(kSpeed, 2), S(kMoving, 0), S(kDistance, 1), Loaded("BITMAP00"), Loaded("BITMAP01"),
                      Loaded("BITMAP02"), kTimer, S(kSound, 2)},
                     0, 2},
        CreationCase{"distanceTwoLoadsNothing", "[DISTANCE_SECTION]\nDISTANCE=2\n[SOUND_SECTION]\nSOUND=0\n",
                     {S(kSpeed, 2), S(kMoving, 0), S(kDistance, 2), kTimer, S(kSound, 0)}, 0, 2},
        CreationCase{"distanceMinusOne", "[DISTANCE_SECTION]\nDISTANCE=-1\n[SOUND_SECTION]\nSOUND=0\n",
                     {S(kSpeed, 2), S(kMoving, 0), S(kDistance, -1), kTimer, S(kSound, 0)}, 0, 2},
        CreationCase{"distanceLow16BitsNear", "[DISTANCE_SECTION]\nDISTANCE=65536\n[SOUND_SECTION]\nSOUND=65536\n",
                     {S(kSpeed, 2), S(kMoving, 0), S(kDistance, 65536), Loaded("BITMAP03"), Missing("BITMAP04"), kBox,
                      Loaded("BITMAP05"), kTimer, S(kSound, 65536), "PlaySoundA(#152,null,0x4000d)"},
                     1, 2},
        CreationCase{"speedLow16Bits", "[SPEED_SECTION]\nSPEED=65533\n[DISTANCE_SECTION]\nDISTANCE=2\n",
                     {S(kSpeed, 65533), S(kMoving, 0), S(kDistance, 2), kTimer, S(kSound, 1)}, 0, -3}),
    [](const testing::TestParamInfo<CreationCase>& info) { return std::string(info.param.name); });

TEST_F(WaterfallProcTest, FramesFillTheirSlotsAndAMissingOneStaysEmpty)
{
    WriteSettingsFile("[DISTANCE_SECTION]\nDISTANCE=0\n");
    MakeWindow(1024, 768);
    Create();
    BITMAP size;
    ASSERT_NE(frames[0], nullptr);
    GetObjectA(frames[0], sizeof size, &size);
    EXPECT_EQ(size.bmHeight, 13) << "slot 0 holds BITMAP03";
    EXPECT_EQ(frames[1], nullptr);
    ASSERT_NE(frames[2], nullptr);
    GetObjectA(frames[2], sizeof size, &size);
    EXPECT_EQ(size.bmHeight, 15) << "slot 2 holds BITMAP05";
}

// ---- Destruction ----------------------------------------------------------

TEST_F(WaterfallProcTest, DestructionFreesTheLoadedFramesInSlotOrderThenStopsTheTimer)
{
    WriteSettingsFile("[DISTANCE_SECTION]\nDISTANCE=0\n");
    MakeWindow(1024, 768);
    Create();
    call_log::ClearCalls();
    EXPECT_EQ(WaterfallProc(window, WM_DESTROY, 0, 0), 0);
    created = false;
    EXPECT_EQ(call_log::Calls(), Calls({"DeleteObject(BITMAP03)", "DeleteObject(BITMAP05)",
                                                     "KillTimer(window,100)"}));
}

TEST_F(WaterfallProcTest, TimerThatDidNotStartIsNotStopped)
{
    MakeWindow(1024, 768);
    call_log::Start(window);
    call_log::FailNextSetTimer();
    WaterfallProc(window, WM_CREATE, 0, 0);
    created = true;
    EXPECT_EQ(timerStarted, 0);
    call_log::ClearCalls();
    WaterfallProc(window, WM_DESTROY, 0, 0);
    created = false;
    EXPECT_EQ(call_log::Calls(), Calls({"DeleteObject(BITMAP00)", "DeleteObject(BITMAP01)",
                                                     "DeleteObject(BITMAP02)"}));
}

// ---- Ticks ----------------------------------------------------------------

std::vector<std::string> PlacedTick(const std::string& frame, int x, int y, int width, int height)
{
    return {"GetWindowRect(window)",
            "GetObjectA(" + frame + ",sizeof(BITMAP))",
            "GetDC(window)=windowDC",
            "CreateCompatibleDC(windowDC)=memoryDC",
            "SelectObject(memoryDC," + frame + ")=defaultBitmap",
            "BitBlt(windowDC," + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "," +
                std::to_string(height) + ",memoryDC,0,0,SRCCOPY)",
            "SelectObject(memoryDC,defaultBitmap)=" + frame,
            "DeleteDC(memoryDC)",
            "ReleaseDC(window,windowDC)"};
}

const std::vector<std::string> kEmptyTick = {
    "GetWindowRect(window)",        "GetObjectA(null,sizeof(BITMAP))",
    "GetDC(window)=windowDC",       "CreateCompatibleDC(windowDC)=memoryDC",
    "SelectObject(memoryDC,null)=null", "DeleteDC(memoryDC)",
    "ReleaseDC(window,windowDC)"};

TEST_F(WaterfallProcTest, TicksPlaceTheFramesInTurnAtTheCentre)
{
    MakeWindow(1024, 768);
    Create();
    EXPECT_EQ(Tick(), Calls(PlacedTick("BITMAP00", 272, 64, 8, 10)));
    EXPECT_EQ(Tick(), Calls(PlacedTick("BITMAP01", 272, 64, 8, 11)));
    EXPECT_EQ(Tick(), Calls(PlacedTick("BITMAP02", 272, 64, 8, 12)));
    EXPECT_EQ(Tick(), Calls(PlacedTick("BITMAP00", 272, 64, 8, 10)));
}

TEST_F(WaterfallProcTest, TimerOfAnotherIdentifierAlsoDraws)
{
    MakeWindow(1024, 768);
    Create();
    EXPECT_EQ(Tick(7), Calls(PlacedTick("BITMAP00", 272, 64, 8, 10)));
}

TEST_F(WaterfallProcTest, EmptySlotDrawsNothingAndHoldsTheImageStill)
{
    WriteSettingsFile("[DISTANCE_SECTION]\nDISTANCE=0\n[MOVING_SECTION]\nMOVING=1\n");
    MakeWindow(1024, 768);
    Create();
    EXPECT_EQ(Tick(), Calls(PlacedTick("BITMAP03", 2, -2, 8, 13)));
    EXPECT_EQ(Tick(), Calls(kEmptyTick));
    EXPECT_EQ(motionState.xPos, 2);
    EXPECT_EQ(motionState.yPos, -2);
    EXPECT_EQ(motionState.frameIndex, 2);
    // The reflection of the empty tick turned the vertical step; the next
    // one turns it back, so the image goes on upwards.
    EXPECT_EQ(Tick(), Calls(PlacedTick("BITMAP05", 4, -4, 8, 15)));
}

TEST_F(WaterfallProcTest, WindowSmallerThanTheFrameGetsItStretched)
{
    MakeWindow(6, 40);
    Create();
    std::vector<std::string> calls = Tick();
    ASSERT_EQ(calls.size(), 9u);
    EXPECT_EQ(calls[5], "StretchBlt(windowDC,0,0,6,40,memoryDC,0,0,480,640,SRCCOPY)");
}

TEST_F(WaterfallProcTest, WithoutFramesTicksOnlyAdvanceTheIndex)
{
    WriteSettingsFile("[DISTANCE_SECTION]\nDISTANCE=2\n[MOVING_SECTION]\nMOVING=1\n");
    MakeWindow(1024, 768);
    Create();
    for (int16_t expected : {1, 2, 3, 1, 2}) {
        EXPECT_EQ(Tick(), Calls(kEmptyTick));
        EXPECT_EQ(motionState.frameIndex, expected);
    }
    EXPECT_EQ(motionState.xPos, 0);
    EXPECT_EQ(motionState.yPos, 0);
}

TEST_F(WaterfallProcTest, PaintDrawsNothing)
{
    MakeWindow(1024, 768);
    Create();
    call_log::ClearCalls();
    WaterfallProc(window, WM_PAINT, 0, 0);
    EXPECT_TRUE(call_log::Calls().empty()) << testing::PrintToString(call_log::Calls());
}

// ---- Results --------------------------------------------------------------

struct MessageCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

void PrintTo(const MessageCase& c, std::ostream* out) { *out << c.name; }

class Result : public WaterfallProcTest, public testing::WithParamInterface<MessageCase> {};

TEST_P(Result, IsWhatSaverDefaultProcReturns)
{
    WriteSettingsFile("[DISTANCE_SECTION]\nDISTANCE=2\n");
    MakeWindow(640, 480);
    const MessageCase& c = GetParam();
    LRESULT expected = SaverDefaultProc(window, c.message, c.wParam, c.lParam);
    EXPECT_EQ(WaterfallProc(window, c.message, c.wParam, c.lParam), expected);
    created = c.message == WM_CREATE;
}

char titleBuffer[64];

INSTANTIATE_TEST_SUITE_P(
    Messages, Result,
    testing::Values(MessageCase{"create", WM_CREATE, 0, 0}, MessageCase{"timer", WM_TIMER, ANIM_TIMER_ID, 0},
                    MessageCase{"paint", WM_PAINT, 0, 0}, MessageCase{"hitTest", WM_NCHITTEST, 0, MAKELPARAM(10, 10)},
                    MessageCase{"textLength", WM_GETTEXTLENGTH, 0, 0},
                    MessageCase{"text", WM_GETTEXT, sizeof titleBuffer, reinterpret_cast<LPARAM>(titleBuffer)},
                    MessageCase{"eraseBackground", WM_ERASEBKGND, 0, 0}, MessageCase{"app", WM_APP, 1, 2},
                    MessageCase{"destroy", WM_DESTROY, 0, 0}),
    [](const testing::TestParamInfo<MessageCase>& info) { return std::string(info.param.name); });

// ---- Resources ------------------------------------------------------------

TEST_F(WaterfallProcTest, ThousandTicksHoldNoMoreGdiObjectsThanOne)
{
    MakeWindow(1024, 768);
    Create();
    call_log::Stop();
    Tick();
    GdiCount first = CountGdiObjects();
    for (int tick = 2; tick <= 1000; ++tick) Tick();
    GdiCount last = CountGdiObjects();
    EXPECT_GT(first.objects, 0u);
    EXPECT_EQ(last.objects, first.objects);
    EXPECT_EQ(last.deviceContexts, first.deviceContexts);
    RecordProperty("gdiObjects", static_cast<int>(last.objects));
    RecordProperty("deviceContexts", static_cast<int>(last.deviceContexts));
    std::printf("GDI objects after tick 1: %u (%u DCs), after tick 1000: %u (%u DCs)\n", first.objects,
                first.deviceContexts, last.objects, last.deviceContexts);
}

}  // namespace
