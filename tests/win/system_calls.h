// A record of the system calls that the code under test makes, taken by
// replacing the routines in the test program's import table (ImportHook).
// Each call is logged as text, such as "DefWindowProcA 0x0100" or
// "SystemParametersInfoA 97 1 state 1 flags 0", and forwarded to the system
// unless the test scripted an answer.
#pragma once

#include "import_hook.h"

#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

struct RecordedCall {
    std::string text;
    LRESULT result;
};

// Scripted answers, used while a recorder hooks the routine.
struct SystemScript {
    std::deque<DWORD> ticks;          // GetTickCount's next answers; the system's when empty
    bool hideInputMethod = false;     // GetModuleHandleA("IMM32.DLL") finds nothing
    bool staleParent = false;         // GetParent answers a window that no longer exists
    bool noInputContext = false;      // ImmAssociateContext reports that the window had no context
};

class SystemCallRecorder {
public:
    // Routines by name: DefWindowProcA, Sleep, GetTickCount, GetModuleHandleA,
    // GetProcAddress (also logs calls of the ImmAssociateContext and
    // PwdChangePasswordA that it hands out), LoadLibraryA, FreeLibrary, SystemParametersInfoA,
    // RegOpenKeyA, RegQueryValueExA, RegCloseKey, GetParent, PostQuitMessage,
    // PostMessageA ("PostMessageA <window> <message> <wParam> <lParam>").
    explicit SystemCallRecorder(std::initializer_list<const char*> routines);
    ~SystemCallRecorder();

    SystemScript& Script();
    const std::vector<RecordedCall>& Calls() const;
    // The texts of the calls whose text starts with prefix, in order.
    std::vector<std::string> Texts(const std::string& prefix = "") const;
    void Clear();

private:
    std::vector<std::unique_ptr<ImportHook>> hooks_;
};
