// The settings dialog of template 2003.
#pragma once

#include "platform.h"

constexpr int SETTINGS_DIALOG_ID = 2003;

INT_PTR CALLBACK SettingsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
