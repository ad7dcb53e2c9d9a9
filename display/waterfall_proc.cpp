// Interim: passes every message on. The picture arrives with its own change.
#include "waterfall_proc.h"

#include "close_rules.h"

LRESULT WaterfallProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SaverDefaultProc(window, message, wParam, lParam);
}

void DrawNextFrame(HWND) {}
