// The picture: at creation the settings, the frames of the chosen view, the
// animation timer and the looping sound; one frame per tick; at destruction
// the frames and the timer given back. Every message, these included, then
// goes on to SaverDefaultProc, whose result is the procedure's result.
#include "waterfall_proc.h"

#include "close_rules.h"
#include "saver_settings.h"
#include "startup.h"
#include "views.h"

HBITMAP frames[FRAME_COUNT];
int16_t moveMode;
int16_t distance;
int16_t soundOff;
uint16_t timerStarted;
MotionState motionState;

namespace {

constexpr DWORD SOUND_FLAGS = SND_RESOURCE | SND_LOOP | SND_ASYNC;

// The box is the only report of a frame that failed; creation goes on once
// the user has dismissed it.
void LoadView(HWND window, const View& view)
{
    for (int slot = 0; slot < FRAME_COUNT; ++slot) {
        frames[slot] = LoadBitmapA(saverInstance, view.frameNames[slot]);
        if (frames[slot] == nullptr) MessageBoxA(window, "Could Not Loading Bitmaps !!", "SCRNSAVE", MB_ICONERROR);
    }
}

void StartWaterfall(HWND window)
{
    // The speed lives on only as the two steps.
    motionState.xStep = motionState.yStep = ReadSetting(SETTING_SPEED);
    moveMode = ReadSetting(SETTING_MOVING);
    distance = ReadSetting(SETTING_DISTANCE);
    const View* view = FindView(distance);  // none for a distance other than 1 or 0
    if (view) LoadView(window, *view);
    // Started even without frames; a window without a timer just stays black.
    timerStarted = static_cast<uint16_t>(SetTimer(window, ANIM_TIMER_ID, ANIM_TIMER_MS, nullptr));
    soundOff = ReadSetting(SETTING_SOUND);
    // Nothing stops the sound: it ends with the process.
    if (view && soundOff == 0) PlaySoundA(MAKEINTRESOURCEA(view->sound), nullptr, SOUND_FLAGS);
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
