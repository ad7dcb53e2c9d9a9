#include "saver_test_window.h"

#include "close_rules.h"
#include "password_lock.h"
#include "saver_window.h"
#include "settings_file.h"
#include "startup.h"

namespace {

constexpr char SAVER_TEST_CLASS[] = "AokiriSaverTestClass";
constexpr wchar_t PARENT_TEST_CLASS[] = L"AokiriParentTestClass";

void RegisterTestClasses()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA saver = {};
    saver.lpfnWndProc = HostWindowProc;
    saver.hInstance = GetModuleHandleA(nullptr);
    saver.lpszClassName = SAVER_TEST_CLASS;  // no class cursor, as the saver's own class
    RegisterClassA(&saver);
    // A wide class: its default procedure is not the one the tests record.
    WNDCLASSW parent = {};
    parent.lpfnWndProc = DefWindowProcW;
    parent.hInstance = GetModuleHandleA(nullptr);
    parent.lpszClassName = PARENT_TEST_CLASS;
    RegisterClassW(&parent);
    registered = true;
}

}  // namespace

void ResetHostState()
{
    isWin9x = FALSE;
    isPreview = FALSE;
    autoPlayMsg = 0;
    saverWindow = nullptr;
    lastCursor = POINT{};
    imeModule = nullptr;
    imeAssociate = nullptr;
    savedImeContext = nullptr;
    unlocked = 0;
    verifying = 0;
    lastVerifyTick = 0xFFFFFFFF;
    passwordModule = nullptr;
    verifyPassword = nullptr;
    // DISTANCE=2 names no view: no frames, no box; SOUND=1: silence.
    WriteSettingsFile("[DISTANCE_SECTION]\r\nDISTANCE=2\r\n[SOUND_SECTION]\r\nSOUND=1\r\n");
}

HWND CreateSaverTestWindow(HWND parent)
{
    RegisterTestClasses();
    DWORD style = parent ? WS_CHILD : WS_POPUP;
    return CreateWindowExA(0, SAVER_TEST_CLASS, "Screen Saver", style, 0, 0, 200, 200, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND CreateParentTestWindow()
{
    RegisterTestClasses();
    return CreateWindowExW(0, PARENT_TEST_CLASS, L"Settings page", WS_OVERLAPPEDWINDOW, 300, 300, 400, 300,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int TakePostedCloses(HWND window)
{
    int count = 0;
    bool quit = false;
    WPARAM quitCode = 0;
    MSG message;
    while (PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
        if (message.message == WM_CLOSE) ++count;
        // A quit message may come whatever the filter: keep it for TakeQuit.
        if (message.message == WM_QUIT) quit = true, quitCode = message.wParam;
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return count;
}

bool TakeQuit(WPARAM* code)
{
    MSG message;
    bool found = false;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        if (message.message != WM_QUIT) continue;
        found = true;
        if (code) *code = message.wParam;
    }
    return found;
}

bool PlaceCursor(int x, int y)
{
    // Wine connects a thread to the X server with its first window; before
    // that, SetCursorPos does not move the pointer.
    static HWND connection = CreateParentTestWindow();
    (void)connection;
    SetCursorPos(x, y);
    POINT at;
    return GetCursorPos(&at) && at.x == x && at.y == y;
}
