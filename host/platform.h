// The one place where the system chooses its window system: Windows itself,
// or the layer that provides the same calls where Windows is absent.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#else
#include "winsys/winsys.h"
#endif
