// Reading the command line: pure functions over byte strings.
#pragma once

#include "platform.h"

// The leading decimal digits as a window handle (unsigned 32-bit, wrapping);
// 0 when the text does not begin with a digit.
HWND ParseWindowNumber(LPCSTR text);
