// A small Windows program that the tests start as a separate process.
//   launch APPLICATION HEX    starts APPLICATION with the command line whose
//                             bytes HEX spells, waits, exits with its code
//                             (Wine would quote a blank or a tab of an
//                             argument; CreateProcessA passes bytes as given)
//   hold TITLE                keeps a window of the saver's class with that
//                             title until it is closed
//   fault                     inside the fault guard, raises a continuable
//                             exception and then writes through a null
//                             pointer, under an outer top-level filter that
//                             prints each fault, lets the first continue and
//                             lets the handler run for the second
#include "fault_guard.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The guard's call when it ends the process after a fault.
void SetSaverRunning(BOOL running)
{
    std::printf("SetSaverRunning(%d)\n", running);
    std::fflush(stdout);
}

namespace {

int Launch(const char* application, const char* hex)
{
    std::string line;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) line += static_cast<char>(std::strtoul(std::string(hex + i, 2).c_str(), nullptr, 16));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(application, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", application, GetLastError());
        return 1000;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("exit code %ld\n", static_cast<long>(code));
    return static_cast<int>(code);
}

LRESULT CALLBACK HoldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int Hold(const char* title)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HoldProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WindowsScreenSaverClass";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, windowClass.lpszClassName, title, WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

constexpr DWORD CONTINUABLE_FAULT = 0xE0000001;

LONG WINAPI OuterFilter(EXCEPTION_POINTERS* fault)
{
    DWORD code = fault->ExceptionRecord->ExceptionCode;
    std::printf("outer filter %lx\n", static_cast<unsigned long>(code));
    std::fflush(stdout);
    return code == CONTINUABLE_FAULT ? EXCEPTION_CONTINUE_EXECUTION : EXCEPTION_EXECUTE_HANDLER;
}

int Fault(LPCSTR)
{
    RaiseException(CONTINUABLE_FAULT, 0, 0, nullptr);
    std::printf("continued\n");
    std::fflush(stdout);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}

// The outer filter stands in for the platform's error report, which under
// Wine would start a debugger that waits for a user.
int FaultInsideGuard()
{
    SetUnhandledExceptionFilter(OuterFilter);
    int result = RunGuarded(Fault, "");
    std::printf("the guard returned %d\n", result);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "launch") == 0) return Launch(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "hold") == 0) return Hold(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "fault") == 0) return FaultInsideGuard();
    std::fprintf(stderr, "usage: test_helper launch APPLICATION HEX | hold TITLE | fault\n");
    return 2;
}
