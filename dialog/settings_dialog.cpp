// Interim: leaves everything to the platform. The dialog arrives with its own change.
#include "settings_dialog.h"

INT_PTR CALLBACK SettingsDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
