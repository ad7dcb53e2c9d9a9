// The picture: at creation the settings, the frames of the chosen view, the
// animation timer and the looping sound; one frame per tick; at destruction
// the frames and the timer given back. Every message, these included, then
// goes on to SaverDefaultProc, whose result is the procedure's result.
#include "waterfall_proc.h"

#include "close_rules.h"
#include "saver_settings.h"
#include "startup.h"

HBITMAP frames[FRAME_COUNT];
int16_t moveMode;
int16_t distance;
int16_t soundOff;
uint16_t timerStarted;
MotionState motionState;

namespace {

// Entries 0 to 2 are the far view, 3 to 5 the near view.
constexpr const char* FRAME_NAMES[] = {"BITMAP00", "BITMAP01", "BITMAP02", "BITMAP03", "BITMAP04", "BITMAP05"};
constexpr int FAR_VIEW_FIRST = 0;
constexpr int NEAR_VIEW_FIRST = 3;

constexpr WORD FAR_VIEW_SOUND = 148;
constexpr WORD NEAR_VIEW_SOUND = 152;
constexpr DWORD SOUND_FLAGS = SND_RESOURCE | SND_LOOP | SND_ASYNC;

// The box is the only report of a frame that failed; creation goes on once
// the user has dismissed it.
void LoadView(HWND window, int firstEntry)
{
    for (int slot = 0; slot < FRAME_COUNT; ++slot) {
        frames[slot] = LoadBitmapA(saverInstance, FRAME_NAMES[firstEntry + slot]);
        if (frames[slot] == nullptr) MessageBoxA(window, "Could Not Loading Bitmaps !!", "SCRNSAVE", MB_ICONERROR);
    }
}

void StartWaterfall(HWND window)
{
    // The speed lives on only as the two steps.
    motionState.xStep = motionState.yStep = ReadSetting(SETTING_SPEED);
    moveMode = ReadSetting(SETTING_MOVING);
    distance = ReadSetting(SETTING_DISTANCE);
    if (distance == 1) LoadView(window, FAR_VIEW_FIRST);
    if (distance == 0) LoadView(window, NEAR_VIEW_FIRST);
    // Started even without frames; a window without a timer just stays black.
    timerStarted = static_cast<uint16_t>(SetTimer(window, ANIM_TIMER_ID, ANIM_TIMER_MS, nullptr));
    soundOff = ReadSetting(SETTING_SOUND);
    // Nothing stops the sound: it ends with the process.
    if (soundOff == 0 && distance == 1) PlaySoundA(MAKEINTRESOURCEA(FAR_VIEW_SOUND), nullptr, SOUND_FLAGS);
    if (soundOff == 0 && distance == 0) PlaySoundA(MAKEINTRESOURCEA(NEAR_VIEW_SOUND), nullptr, SOUND_FLAGS);
}

void StopWaterfall(HWND window)
{
    for (HBITMAP frame : frames) {
        if (frame) DeleteObject(frame);
    }
    if (timerStarted) KillTimer(window, ANIM_TIMER_ID);
}

}  // namespace

// Nothing is erased: what the frame does not cover keeps the class's black
// or the edge of the frame at its last place.
void DrawNextFrame(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    const WindowRect rect = {outer.left, outer.top, outer.right, outer.bottom};
    int16_t index = WrapFrameIndex(motionState);
    BITMAP frameSize = {};  // stays unfilled for an empty slot, which is never drawn
    GetObjectA(frames[index], sizeof frameSize, &frameSize);
    HDC windowDC = GetDC(window);
    ReflectSteps(motionState, rect);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HGDIOBJ previous = SelectObject(memoryDC, frames[index]);
    if (previous) {
        MoveImage(motionState, rect, moveMode);
        BlitPlan plan = ChooseBlit(motionState, rect, frameSize.bmWidth, frameSize.bmHeight);
        if (plan.stretch) {
            StretchBlt(windowDC, plan.destX, plan.destY, plan.destWidth, plan.destHeight, memoryDC, 0, 0,
                       plan.srcWidth, plan.srcHeight, SRCCOPY);
        } else {
            BitBlt(windowDC, plan.destX, plan.destY, plan.destWidth, plan.destHeight, memoryDC, 0, 0, SRCCOPY);
        }
        SelectObject(memoryDC, previous);
    }
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    AdvanceFrameIndex(motionState);
}

LRESULT WaterfallProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        StartWaterfall(window);
        break;
    case WM_DESTROY:
        StopWaterfall(window);
        break;
    case WM_TIMER:  // whatever timer sent it
        DrawNextFrame(window);
        break;
    }
    return SaverDefaultProc(window, message, wParam, lParam);
}
