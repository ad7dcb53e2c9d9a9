// What the saver window does with every message that is not the picture's
// own business: the host's class procedure and the close rules.
#pragma once

#include "platform.h"

constexpr DWORD MOUSE_MOVE_THRESHOLD = 4;

typedef HIMC(WINAPI* ImmAssociateContextProc)(HWND, HIMC);

extern POINT lastCursor;
extern HMODULE imeModule;
extern ImmAssociateContextProc imeAssociate;
extern HIMC savedImeContext;

// The class procedure: sees every message first, passes the rest on to
// WaterfallProc.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The last link before DefWindowProcA: the close rules.
LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
