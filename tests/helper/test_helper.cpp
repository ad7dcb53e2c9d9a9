// A small Windows program that the tests start as a separate process.
//   launch APPLICATION HEX    starts APPLICATION with the command line whose
//                             bytes HEX spells, waits, exits with its code
//                             (Wine would quote a blank or a tab of an
//                             argument; CreateProcessA passes bytes as given)
//   hold TITLE                keeps a window of the saver's class with that
//                             title until it is closed
//   parent                    keeps a 320 x 240 window at (100, 100), with no
//                             frame, until it is closed; prints its number,
//                             and on closing the preview child it holds
//   close CLASS TITLE         posts WM_CLOSE to the top-level window found
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
    if (message == WM_CLOSE) {
        HWND child = FindWindowExA(window, nullptr, "WindowsScreenSaverClass", "Preview");
        RECT rect;
        if (child && GetWindowRect(child, &rect)) {
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
            std::printf("child %ld %ld %ld %ld style %lx\n", rect.left, rect.top, rect.right, rect.bottom,
                        static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)));
            std::fflush(stdout);
        }
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int Hold(const char* className, const char* title, int x, int y, int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HoldProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));  // only a drawn frame shows
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, className, title, WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    std::fflush(stdout);
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
    if (argc == 3 && std::strcmp(argv[1], "hold") == 0) return Hold("WindowsScreenSaverClass", argv[2], 0, 0, 64, 64);
    if (argc == 2 && std::strcmp(argv[1], "parent") == 0) return Hold("SettingsPage", "settings page", 100, 100, 320, 240);
    if (argc == 4 && std::strcmp(argv[1], "close") == 0) return !PostMessageA(FindWindowA(argv[2], argv[3]), WM_CLOSE, 0, 0);
    if (argc == 2 && std::strcmp(argv[1], "fault") == 0) return FaultInsideGuard();
    std::fprintf(stderr, "usage: test_helper launch APPLICATION HEX | hold TITLE | parent | close CLASS TITLE | fault\n");
    return 2;
}
