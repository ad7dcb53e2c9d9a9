// A "PASSWORD.CPL" that lacks the checker's routine: only a name that comes
// close to it.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePassword(HWND)
{
    return TRUE;
}
