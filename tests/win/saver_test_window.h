// Real windows whose class procedure is the saver's HostWindowProc, and the
// host's process-wide state put back to its start values, for the tests of
// the close rules and the password lock.
#pragma once

#include "platform.h"

// Every host variable back to its start value: full screen, not approved, no
// check running, no checker, outside the Windows 9x family, no auto-play
// message. Also writes a settings file with which the display loads no
// frames and plays no sound.
void ResetHostState();

// A hidden 200 x 200 window of the saver's class procedure: top-level at
// (0, 0), or a child of parent (a preview).
HWND CreateSaverTestWindow(HWND parent = nullptr);

// A hidden top-level window with the system's default procedure, to stand
// for the settings page that holds a preview.
HWND CreateParentTestWindow();

// Removes every WM_CLOSE posted to window from the queue and counts them.
int TakePostedCloses(HWND window);

// Removes a WM_QUIT left by a destroyed saver window; true when there was one,
// with its exit code in code.
bool TakeQuit(WPARAM* code = nullptr);

// Moves the pointer; true when the window system then reports it there.
bool PlaceCursor(int x, int y);
