// The one saver window, full screen or as a preview child, and the thread's
// message loop. Everything the saver shows and every rule that closes it
// runs inside that loop, in the class procedure HostWindowProc and the
// procedures it passes messages on to.
#include "saver_window.h"

#include "close_rules.h"
#include "password_lock.h"
#include "startup.h"

BOOL isPreview;
UINT autoPlayMsg;
HWND saverWindow;

namespace {

constexpr char SAVER_CLASS[] = "WindowsScreenSaverClass";
constexpr char FULL_SCREEN_TITLE[] = "Screen Saver";  // also what a second start looks for
constexpr char PREVIEW_TITLE[] = "Preview";
constexpr WORD CLASS_ICON_ID = 100;
constexpr DWORD PREVIEW_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
constexpr DWORD FULL_SCREEN_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// The loop's result when no window came into being, so that the process
// never exits with a value nothing wrote.
constexpr WPARAM NO_WINDOW_RESULT = static_cast<WPARAM>(-1);

struct Placement {
    int x, y, width, height;
};

// The screen as its own device context bounds it. Should the context or its
// clip box not be had, the screen's size from the system metrics keeps the
// window defined.
Placement ScreenPlacement()
{
    RECT box;
    HDC screen = GetDC(nullptr);
    int kind = screen ? GetClipBox(screen, &box) : ERROR;
    if (screen) ReleaseDC(nullptr, screen);
    if (kind == ERROR) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

// Another full-screen saver, of this process or any other, keeps the screen.
bool BringRunningSaverToFront()
{
    HWND running = FindWindowA(SAVER_CLASS, FULL_SCREEN_TITLE);
    if (running == nullptr || !IsWindow(running)) return false;
    SetForegroundWindow(running);
    return true;
}

}  // namespace

int RunSaverWindow(HWND parent)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = saverInstance;
    windowClass.hIcon = LoadIconA(saverInstance, MAKEINTRESOURCEA(CLASS_ICON_ID));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = SAVER_CLASS;

    Placement place;
    DWORD style, exStyle;
    LPCSTR title;
    if (parent) {
        RECT client;
        GetClientRect(parent, &client);
        place = {0, 0, client.right, client.bottom};
        style = PREVIEW_STYLE;
        exStyle = 0;
        title = PREVIEW_TITLE;
        isPreview = TRUE;  // before the window exists: its creation reads it
    } else {
        place = ScreenPlacement();
        style = FULL_SCREEN_STYLE;
        exStyle = WS_EX_TOPMOST;
        title = FULL_SCREEN_TITLE;
        if (BringRunningSaverToFront()) return 0;
        LoadPasswordHook();
    }

    autoPlayMsg = isWin9x ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

    MSG message;
    message.wParam = NO_WINDOW_RESULT;
    if (RegisterClassA(&windowClass)) {
        saverWindow = CreateWindowExA(exStyle, SAVER_CLASS, title, style, place.x, place.y, place.width,
                                      place.height, parent, nullptr, saverInstance, nullptr);
    }
    if (saverWindow) {
        if (!isPreview) SetForegroundWindow(saverWindow);
        while (GetMessageA(&message, nullptr, 0, 0)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    UnloadPasswordHook();
    return static_cast<int>(message.wParam);
}
