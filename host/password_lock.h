// The Windows 9x password lock: the system's checker and password change.
#pragma once

#include "platform.h"

constexpr DWORD VERIFY_DEBOUNCE_MS = 200;

typedef BOOL(WINAPI* VerifyPasswordProc)(HWND);

extern DWORD unlocked;
extern DWORD verifying;
extern DWORD lastVerifyTick;
extern HMODULE passwordModule;
extern VerifyPasswordProc verifyPassword;

void LoadPasswordHook();
void UnloadPasswordHook();
void SetSaverRunning(BOOL running);
BOOL VerifyUnlock(HWND window);
DWORD TickDifference(DWORD earlier, DWORD later);
// True when a close request at now is refused without asking: the last check
// ended less than VERIFY_DEBOUNCE_MS before. 0xFFFFFFFF: none has ended yet.
BOOL WithinVerifyDebounce(DWORD lastTick, DWORD now);
int RunChangePassword(LPCSTR text);
void ChangeSaverPassword(HWND window);
