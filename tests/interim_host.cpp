// Interim: the host's variables and the window-number reader, which belong
// to startup and the saver window, until those arrive on this branch.
#include "command_line.h"
#include "saver_window.h"
#include "startup.h"

HINSTANCE saverInstance;
BOOL isWin9x;
BOOL isPreview;
UINT autoPlayMsg;
HWND saverWindow;

HWND ParseWindowNumber(LPCSTR text)
{
    UINT_PTR number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) number = static_cast<DWORD>(number * 10 + (*text - '0'));
    return reinterpret_cast<HWND>(number);
}
