// The guard around the chosen mode: a fault anywhere inside it first goes
// through the platform's own unhandled-fault processing (error report,
// debugger), then tells a Windows 9x system that the saver no longer runs
// and ends the process.
#pragma once

#include "platform.h"

// The exit code of a process that the guard ends after a fault.
constexpr UINT FAULT_EXIT_CODE = 3;

typedef int (*GuardedMode)(LPCSTR text);

// Runs mode(text) inside the guard and returns its result.
int RunGuarded(GuardedMode mode, LPCSTR text);
