// The process entry's work: find the command tail, learn the platform, run
// the one mode that the first switch letter names, and end the process with
// that mode's result.
#include "startup.h"

#include "command_line.h"
#include "fault_guard.h"
#include "password_lock.h"
#include "saver_window.h"
#include "settings_dialog.h"

HINSTANCE saverInstance;
BOOL isWin9x;

namespace {

// 'c' names its owner after a colon; without a usable one the dialog
// belongs to whatever window is in front.
HWND ChooseOwner(LPCSTR numberText)
{
    HWND owner = numberText ? ParseWindowNumber(numberText) : nullptr;
    if (owner == nullptr || !IsWindow(owner)) owner = GetForegroundWindow();
    return owner;
}

int RunMode(LPCSTR commandTail)
{
    SwitchChoice choice = ChooseSwitch(commandTail);
    switch (choice.mode) {
    case MODE_SETTINGS:
        return RunSettingsDialog(nullptr);
    case MODE_SETTINGS_OWNED:
        return RunSettingsDialog(ChooseOwner(choice.argument));
    case MODE_FULL_SCREEN:
        return RunSaverWindow(nullptr);
    case MODE_PREVIEW:
        return RunPreview(choice.argument);
    case MODE_CHANGE_PASSWORD:
        return isWin9x ? RunChangePassword(choice.argument) : -1;
    case MODE_NONE:
        break;
    }
    return -1;
}

}  // namespace

void SaverStartup()
{
    LPCSTR commandTail = FindCommandTail(GetCommandLineA(), CharNextA);
    ExitProcess(static_cast<UINT>(SaverMain(GetModuleHandleA(nullptr), commandTail)));
}

int SaverMain(HINSTANCE instance, LPCSTR commandTail)
{
    saverInstance = instance;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    isWin9x = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    return RunGuarded(RunMode, commandTail);
}

int RunPreview(LPCSTR text)
{
    HWND parent = ParseWindowNumber(text);
    if (parent == nullptr || !IsWindow(parent)) return -1;
    return RunSaverWindow(parent);
}

int RunSettingsDialog(HWND owner)
{
    if (!RegisterSettingsClasses(saverInstance)) return 0;
    return static_cast<int>(DialogBoxParamA(saverInstance, MAKEINTRESOURCEA(SETTINGS_DIALOG_ID), owner,
                                            SettingsDialogProc, 0));
}

// The dialog uses only the system's own controls: nothing to register.
BOOL RegisterSettingsClasses(HINSTANCE) { return TRUE; }
