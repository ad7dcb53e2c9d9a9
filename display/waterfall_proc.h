// The saver's own message procedure: settings, frames, timer and sound at
// creation, one frame per tick, clean-up at destruction.
#pragma once

#include "platform.h"

constexpr UINT_PTR ANIM_TIMER_ID = 100;
constexpr UINT ANIM_TIMER_MS = 400;

LRESULT WaterfallProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DrawNextFrame(HWND window);
