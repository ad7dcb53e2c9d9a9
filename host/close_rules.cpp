// The saver window's class procedure and the close rules.
//
// Every message runs HostWindowProc -> WaterfallProc -> SaverDefaultProc ->
// DefWindowProcA. HostWindowProc keeps the window's title, input context,
// help and system commands to itself and stops feeding the picture once
// closing is approved; SaverDefaultProc turns input, activation and power
// events of the full-screen saver into a posted WM_CLOSE and lets that
// through only when the password lock approves it (Windows 9x).
#include "close_rules.h"

#include "password_lock.h"
#include "saver_window.h"
#include "startup.h"
#include "waterfall_proc.h"

POINT lastCursor;
HMODULE imeModule;
ImmAssociateContextProc imeAssociate;
HIMC savedImeContext;

namespace {

// A close request is always posted, never carried out on the spot, so the
// message that caused it finishes first. The result is deliberately ignored.
void PostCloseRequest(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void HideCursor()
{
    SetCursor(nullptr);
}

// Text input has no place in a screen saver: the window gets no input
// context. The library is only looked up, never loaded.
void DetachInputContext(HWND window)
{
    imeModule = GetModuleHandleA("IMM32.DLL");
    if (!imeModule) return;
    imeAssociate = reinterpret_cast<ImmAssociateContextProc>(
        reinterpret_cast<void*>(GetProcAddress(imeModule, "ImmAssociateContext")));
    if (imeAssociate) savedImeContext = imeAssociate(window, nullptr);
}

void RestoreInputContext(HWND window)
{
    if (imeModule && imeAssociate && savedImeContext) imeAssociate(window, savedImeContext);
}

// In the preview, help belongs to the settings page that holds the window.
// The window system does not post WM_HELP, whose lParam points into our
// memory; the context menu gets through.
void ForwardToParent(HWND window, UINT message, LPARAM lParam)
{
    HWND parent = GetParent(window);
    if (parent && IsWindow(parent))
        PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
}

// Switching tasks or starting another saver must not get past the
// full-screen saver. The whole wParam is compared.
bool IsBlockedSystemCommand(WPARAM command)
{
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

DWORD AbsoluteDifference(LONG a, LONG b)
{
    return a >= b ? static_cast<DWORD>(a) - static_cast<DWORD>(b)
                  : static_cast<DWORD>(b) - static_cast<DWORD>(a);
}

// Small moves add up against the same reference point until their distance
// from it passes the threshold; the coordinates in the message are not used.
void ApplyMouseTravelRule(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    DWORD travel = AbsoluteDifference(cursor.x, lastCursor.x) + AbsoluteDifference(cursor.y, lastCursor.y);
    if (travel > MOUSE_MOVE_THRESHOLD) {
        PostCloseRequest(window);
        lastCursor = cursor;
    }
}

// When a watch rule applies, by the message's wParam.
enum class WhenWParam { Any, Zero, NonZero, IsCriticalResume };

enum class WatchAction { HideCursor, PostClose, MouseTravel };

struct WatchRule {
    UINT message;
    WhenWParam when;
    WatchAction action;
    bool finishes;  // returns 1 without DefWindowProcA
};

// Every other message, key releases, characters, double-clicks, the wheel
// and non-client mouse messages included, is left alone.
constexpr WatchRule WATCH_RULES[] = {
    {WM_SHOWWINDOW, WhenWParam::NonZero, WatchAction::HideCursor, false},
    {WM_ACTIVATEAPP, WhenWParam::Zero, WatchAction::PostClose, false},
    {WM_SETCURSOR, WhenWParam::Any, WatchAction::HideCursor, true},
    {WM_POWER, WhenWParam::IsCriticalResume, WatchAction::PostClose, false},
    {WM_KEYDOWN, WhenWParam::Any, WatchAction::PostClose, false},
    {WM_SYSKEYDOWN, WhenWParam::Any, WatchAction::PostClose, false},
    {WM_MOUSEMOVE, WhenWParam::Any, WatchAction::MouseTravel, false},
    {WM_LBUTTONDOWN, WhenWParam::Any, WatchAction::PostClose, false},
    {WM_RBUTTONDOWN, WhenWParam::Any, WatchAction::PostClose, false},
    {WM_MBUTTONDOWN, WhenWParam::Any, WatchAction::PostClose, false},
    {WM_POWERBROADCAST, WhenWParam::Any, WatchAction::PostClose, false},
};

bool Applies(WhenWParam when, WPARAM wParam)
{
    switch (when) {
    case WhenWParam::Zero: return wParam == 0;
    case WhenWParam::NonZero: return wParam != 0;
    case WhenWParam::IsCriticalResume: return wParam == PWR_CRITICALRESUME;
    case WhenWParam::Any: break;
    }
    return true;
}

// Applies the watch rule of the message; true when the message is finished.
bool ApplyWatchRule(HWND window, UINT message, WPARAM wParam)
{
    for (const WatchRule& rule : WATCH_RULES) {
        if (rule.message != message) continue;
        if (!Applies(rule.when, wParam)) return false;
        switch (rule.action) {
        case WatchAction::HideCursor: HideCursor(); break;
        case WatchAction::PostClose: PostCloseRequest(window); break;
        case WatchAction::MouseTravel: ApplyMouseTravelRule(window); break;
        }
        return rule.finishes;
    }
    return false;
}

bool IsInputMessage(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

}  // namespace

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        DetachInputContext(window);
        GetCursorPos(&lastCursor);
        if (!isPreview) HideCursor();
        break;
    case WM_DESTROY:
        RestoreInputContext(window);
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        // The title never changes after creation.
        return 0;
    case WM_PAINT:
        if (unlocked) return DefWindowProcA(window, message, wParam, lParam);
        if (!isPreview) HideCursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (isPreview) {
            ForwardToParent(window, message, lParam);
            return 1;
        }
        break;
    case WM_SYSCOMMAND:
        if (!isPreview && IsBlockedSystemCommand(wParam)) return 0;
        break;
    case WM_TIMER:
        if (unlocked) return 0;  // closing: no more frames
        Sleep(0);                // give the rest of the time slice away before drawing
        break;
    default:
        if (unlocked && IsInputMessage(message)) return DefWindowProcA(window, message, wParam, lParam);
        break;
    }
    return WaterfallProc(window, message, wParam, lParam);
}

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!isPreview && !unlocked) {
        if (message == WM_CLOSE) {
            if (isWin9x && !VerifyUnlock(window)) {
                // Refused: the mouse must travel again from where it stands now.
                GetCursorPos(&lastCursor);
                return 0;
            }
        } else if (message == WM_APP) {
            // The lock's own request, sent by VerifyUnlock: the checker's verdict.
            if (isWin9x) return verifyPassword ? verifyPassword(window) : 1;
        } else if (!verifying && ApplyWatchRule(window, message, wParam)) {
            return 1;
        }
    }
    if (autoPlayMsg && message == autoPlayMsg) {
        // A non-zero answer asks the shell not to start the inserted medium.
        PostCloseRequest(window);
        return verifyPassword ? 1 : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
