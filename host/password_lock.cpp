// Interim: outside the Windows 9x family the lock does nothing, which is all
// that runs until the lock itself arrives.
#include "password_lock.h"

#include "startup.h"

DWORD unlocked;
DWORD verifying;
DWORD lastVerifyTick = 0xFFFFFFFF;
HMODULE passwordModule;
VerifyPasswordProc verifyPassword;

void LoadPasswordHook() {}
void UnloadPasswordHook() {}
void SetSaverRunning(BOOL) {}

BOOL VerifyUnlock(HWND)
{
    unlocked = 1;
    return TRUE;
}

DWORD TickDifference(DWORD earlier, DWORD later) { return later - earlier; }

int RunChangePassword(LPCSTR) { return 0; }
void ChangeSaverPassword(HWND) {}
