// The saver's own message procedure: settings, frames, timer and sound at
// creation, one frame per tick, clean-up at destruction.
#pragma once

#include "platform.h"
#include "motion.h"

#include <cstdint>

constexpr UINT_PTR ANIM_TIMER_ID = 100;
constexpr UINT ANIM_TIMER_MS = 400;

// The display's process-wide state, zero when the process starts; only this
// procedure writes it.
extern HBITMAP frames[FRAME_COUNT];  // the chosen view's frames; null where one failed to load
extern int16_t moveMode;
extern int16_t distance;             // 1 far view, 0 near view
extern int16_t soundOff;             // 0: the view's sound plays
extern uint16_t timerStarted;        // non-zero while the animation timer runs
extern MotionState motionState;

LRESULT WaterfallProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DrawNextFrame(HWND window);
