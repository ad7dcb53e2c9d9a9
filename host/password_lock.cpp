// The Windows 9x password lock. The password is the system's business: the
// lock only reads whether one is set, loads the system's checker for the
// full-screen saver, asks it before a close (never during a check, and not
// again within VERIFY_DEBOUNCE_MS of the last one) and runs the password
// change. Outside the Windows 9x family every hook returns at once.
#include "password_lock.h"

#include "command_line.h"
#include "startup.h"

DWORD unlocked;
DWORD verifying;
DWORD lastVerifyTick = 0xFFFFFFFF;  // no check has ended yet
HMODULE passwordModule;
VerifyPasswordProc verifyPassword;

namespace {

typedef DWORD(WINAPI* ChangePasswordProc)(LPCSTR provider, HWND owner, DWORD, LPVOID);

// GetProcAddress gives a generic routine address; the caller names its type.
template <typename Proc>
Proc FindRoutine(HMODULE module, LPCSTR name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// True when the user's desktop settings ask for a saver password. A value
// shorter than 4 bytes fills only the low bytes of the zeroed field.
bool PasswordRequested(HKEY key)
{
    DWORD usePassword = 0;
    DWORD size = sizeof usePassword;
    LONG status = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(&usePassword), &size);
    return status == ERROR_SUCCESS && usePassword != 0;
}

}  // namespace

void LoadPasswordHook()
{
    if (!isWin9x) return;
    if (passwordModule) UnloadPasswordHook();

    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS) return;
    if (PasswordRequested(key)) {
        passwordModule = LoadLibraryA("PASSWORD.CPL");
        if (passwordModule) {
            verifyPassword = FindRoutine<VerifyPasswordProc>(passwordModule, "VerifyScreenSavePwd");
            if (verifyPassword)
                SetSaverRunning(TRUE);
            else
                UnloadPasswordHook();  // frees the module, leaves the running state alone
        }
    }
    RegCloseKey(key);
}

void UnloadPasswordHook()
{
    if (!isWin9x || !passwordModule) return;
    FreeLibrary(passwordModule);
    passwordModule = nullptr;
    if (verifyPassword) {
        verifyPassword = nullptr;
        SetSaverRunning(FALSE);
    }
}

// Tells the system whether a saver runs, so that it keeps the task keys
// from leaving the checker. The previous state it hands back is not used.
void SetSaverRunning(BOOL running)
{
    if (!isWin9x) return;
    UINT state = running;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &state, 0);
}

BOOL WithinVerifyDebounce(DWORD lastTick, DWORD now)
{
    return lastTick != 0xFFFFFFFF && TickDifference(lastTick, now) < VERIFY_DEBOUNCE_MS;
}

BOOL VerifyUnlock(HWND window)
{
    // The checker's dialog dispatches our messages: no second check meanwhile.
    if (verifying) return FALSE;
    if (!verifyPassword) {
        unlocked = 1;
        return TRUE;
    }
    if (WithinVerifyDebounce(lastVerifyTick, GetTickCount())) return unlocked;

    verifying = 1;
    // Ticks that piled up would only delay the checker's dialog.
    MSG pending;
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    DWORD answer = static_cast<DWORD>(SendMessageA(window, WM_APP, 0, 0));
    unlocked = answer;
    verifying = 0;
    if (!answer) SetCursor(nullptr);
    lastVerifyTick = GetTickCount();
    return unlocked;
}

DWORD TickDifference(DWORD earlier, DWORD later)
{
    return later - earlier;
}

int RunChangePassword(LPCSTR text)
{
    HWND window = ParseWindowNumber(text);
    if (!window || !IsWindow(window)) window = GetForegroundWindow();
    ChangeSaverPassword(window);
    return 0;
}

void ChangeSaverPassword(HWND window)
{
    HMODULE module = LoadLibraryA("MPR.DLL");
    if (!module) return;
    ChangePasswordProc changePassword = FindRoutine<ChangePasswordProc>(module, "PwdChangePasswordA");
    if (changePassword) changePassword("SCRSAVE", window, 0, nullptr);
    FreeLibrary(module);
}
