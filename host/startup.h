// The front door: finds the command tail, picks the mode from the switch
// letter and ends the process with the mode's result.
#pragma once

#include "platform.h"

extern HINSTANCE saverInstance;  // written once by SaverMain
extern BOOL isWin9x;             // 1 on the Windows 9x platform

[[noreturn]] void SaverStartup();
int SaverMain(HINSTANCE instance, LPCSTR commandTail);
int RunPreview(LPCSTR text);
int RunSettingsDialog(HWND owner);
BOOL RegisterSettingsClasses(HINSTANCE instance);
