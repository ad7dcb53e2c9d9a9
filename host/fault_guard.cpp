// mingw's GCC has no __try/__except, so the guard is the process's top-level
// exception filter for as long as the mode runs. A fault that no frame
// handler takes reaches it exactly where it would reach a frame-based guard
// around the mode; the filter then asks UnhandledExceptionFilter for the
// verdict, as such a guard's filter expression would.
#include "fault_guard.h"

#include "password_lock.h"

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER outerFilter;

LONG WINAPI FaultFilter(EXCEPTION_POINTERS* fault)
{
    // UnhandledExceptionFilter calls the top-level filter itself: put back
    // the one from before the guard, or it would call this one again.
    SetUnhandledExceptionFilter(outerFilter);
    LONG verdict = UnhandledExceptionFilter(fault);
    if (verdict != EXCEPTION_EXECUTE_HANDLER) {
        // A debugger took the fault over (continue execution) or the
        // platform wants to go on searching: either way the guard stays.
        SetUnhandledExceptionFilter(FaultFilter);
        return verdict;
    }
    SetSaverRunning(0);
    // The faulting frames cannot be unwound without frame-based handling,
    // so the process ends here rather than in SaverStartup.
    ExitProcess(FAULT_EXIT_CODE);
}

}  // namespace

int RunGuarded(GuardedMode mode, LPCSTR text)
{
    outerFilter = SetUnhandledExceptionFilter(FaultFilter);
    int result = mode(text);
    SetUnhandledExceptionFilter(outerFilter);
    return result;
}
