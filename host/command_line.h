// Reading the command line: pure functions over byte strings.
#pragma once

#include "platform.h"

// One step over a character of the system's ANSI code page: one byte, or two
// for a double-byte character; the end of the text is not stepped over.
// The program passes CharNextA; tests pass models of other code pages.
typedef LPSTR(WINAPI* CharStep)(LPCSTR position);

// The command tail: what follows the program name and the blanks after it.
// A pointer into commandLine, never a copy.
LPCSTR FindCommandTail(LPCSTR commandLine, CharStep next);

enum SaverMode {
    MODE_NONE,               // no usable switch: the process ends with -1
    MODE_SETTINGS,           // no switch letter: the dialog without owner
    MODE_SETTINGS_OWNED,     // 'c': the dialog with an owner
    MODE_FULL_SCREEN,        // 's'
    MODE_PREVIEW,            // 'p' or 'l'
    MODE_CHANGE_PASSWORD,    // 'a'
};

// The mode of the first switch letter and the text that mode reads: the
// window number for a preview or a password change; for 'c' the text after
// the colon, or null when no colon follows the letter.
struct SwitchChoice {
    SaverMode mode;
    LPCSTR argument;
};

SwitchChoice ChooseSwitch(LPCSTR commandTail);

// The leading decimal digits as an unsigned 32-bit number, wrapping; 0 when
// the text does not begin with a digit.
DWORD ReadWindowNumber(LPCSTR text);

// The same number as a window handle.
HWND ParseWindowNumber(LPCSTR text);
