// Interim: the chain only. The close rules arrive with their own change.
#include "close_rules.h"

#include "waterfall_proc.h"

POINT lastCursor;
HMODULE imeModule;
ImmAssociateContextProc imeAssociate;
HIMC savedImeContext;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) PostQuitMessage(0);
    return WaterfallProc(window, message, wParam, lParam);
}

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}
