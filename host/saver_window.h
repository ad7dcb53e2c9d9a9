// The saver window, full screen or as a preview child, and its message loop.
#pragma once

#include "platform.h"

extern BOOL isPreview;    // 1 when the saver window is a preview child
extern UINT autoPlayMsg;  // "QueryCancelAutoPlay" on Windows 9x, else 0
extern HWND saverWindow;

// parent: the preview's parent window, or null for full screen.
int RunSaverWindow(HWND parent);
