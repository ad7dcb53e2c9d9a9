// The saver window with real windows under Wine: the preview child in a
// parent window of the test, the full-screen window, the single-instance
// rule against a saver window of another process, and the loop's result.
// A thread timer looks at the window while RunSaverWindow's loop runs and
// then destroys it, which ends the loop.

#include "saver_window.h"
#include "settings_file.h"
#include "startup.h"
#include "waterfall_proc.h"
#include "win/helper_process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";

struct Seen {
    bool looked;
    HWND parent;
    LONG style;
    LONG exStyle;
    char title[64];
    char className[64];
    RECT rect;  // in the parent's client coordinates, or the screen's
    HWND foreground;
};

Seen seen;

void CALLBACK LookAndDestroy(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (saverWindow == nullptr) return;
    seen.looked = true;
    seen.parent = GetAncestor(saverWindow, GA_PARENT);
    seen.style = GetWindowLongA(saverWindow, GWL_STYLE);
    seen.exStyle = GetWindowLongA(saverWindow, GWL_EXSTYLE);
    GetWindowTextA(saverWindow, seen.title, sizeof seen.title);
    GetClassNameA(saverWindow, seen.className, sizeof seen.className);
    GetWindowRect(saverWindow, &seen.rect);
    if (GetWindowLongA(saverWindow, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(nullptr, GetParent(saverWindow), reinterpret_cast<POINT*>(&seen.rect), 2);
    }
    seen.foreground = GetForegroundWindow();
    DestroyWindow(saverWindow);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class SaverWindow : public testing::Test {
protected:
    void SetUp() override
    {
        // A far view without sound: the test program's frames load, no box.
        RemoveSettingsFile();
        saverInstance = GetModuleHandleA(nullptr);
        isWin9x = FALSE;
        isPreview = FALSE;
        autoPlayMsg = 0;
        saverWindow = nullptr;
        seen = Seen{};
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainProc;
        windowClass.hInstance = saverInstance;
        windowClass.lpszClassName = "SaverWindowTestParent";
        RegisterClassA(&windowClass);
    }

    void TearDown() override
    {
        if (parent) DestroyWindow(parent);
        UnregisterClassA(kSaverClass, saverInstance);
        for (HANDLE helper : helpers) {
            WaitForSingleObject(helper, INFINITE);
            CloseHandle(helper);
        }
    }

    // A window the test owns, standing in for the settings page; it stays
    // behind whatever is in front.
    void MakeParent()
    {
        parent = CreateWindowExA(0, "SaverWindowTestParent", "settings page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                 40, 400, 300, nullptr, nullptr, saverInstance, nullptr);
        ASSERT_NE(parent, nullptr);
    }

    // A top-level window of the saver's class in a process of its own.
    HWND HoldWindow(const char* title)
    {
        HANDLE helper = StartHelper(std::string("hold \"") + title + "\"");
        EXPECT_NE(helper, nullptr);
        helpers.push_back(helper);
        HWND held = nullptr;
        while (held == nullptr && WaitForSingleObject(helper, 20) == WAIT_TIMEOUT) held = FindWindowA(kSaverClass, title);
        return held;
    }

    int Run(HWND parentWindow)
    {
        UINT_PTR look = SetTimer(nullptr, 0, 50, LookAndDestroy);
        int result = RunSaverWindow(parentWindow);
        KillTimer(nullptr, look);
        return result;
    }

    HWND parent = nullptr;
    std::vector<HANDLE> helpers;
};

TEST_F(SaverWindow, PreviewIsAChildOverTheParentsClientArea)
{
    MakeParent();
    HWND front = GetForegroundWindow();
    RECT client;
    GetClientRect(parent, &client);

    EXPECT_EQ(Run(parent), 0);
    ASSERT_TRUE(seen.looked);
    EXPECT_EQ(seen.parent, parent);
    EXPECT_EQ(static_cast<DWORD>(seen.style), 0x52000000u) << "WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN";
    EXPECT_EQ(seen.exStyle, 0);
    EXPECT_STREQ(seen.title, "Preview");
    EXPECT_STREQ(seen.className, kSaverClass);
    EXPECT_EQ(seen.rect.left, 0);
    EXPECT_EQ(seen.rect.top, 0);
    EXPECT_EQ(seen.rect.right, client.right);
    EXPECT_EQ(seen.rect.bottom, client.bottom);
    EXPECT_EQ(seen.foreground, front) << "the preview is not brought to the front";
    EXPECT_TRUE(isPreview);
    EXPECT_EQ(autoPlayMsg, 0u);
}

TEST_F(SaverWindow, FullScreenCoversTheScreensClipBoxAndComesToTheFront)
{
    RECT box;
    HDC screen = GetDC(nullptr);
    GetClipBox(screen, &box);
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(Run(nullptr), 0);
    ASSERT_TRUE(seen.looked);
    EXPECT_EQ(seen.parent, GetDesktopWindow());
    EXPECT_EQ(static_cast<DWORD>(seen.style) & 0x96000000u, 0x96000000u)
        << "WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN";
    EXPECT_EQ(seen.style & WS_CHILD, 0);
    EXPECT_TRUE(seen.exStyle & WS_EX_TOPMOST);
    EXPECT_STREQ(seen.title, "Screen Saver");
    EXPECT_EQ(seen.rect.left, box.left);
    EXPECT_EQ(seen.rect.top, box.top);
    EXPECT_EQ(seen.rect.right, box.right);
    EXPECT_EQ(seen.rect.bottom, box.bottom);
    EXPECT_EQ(seen.foreground, saverWindow);
    EXPECT_FALSE(isPreview);
}

TEST_F(SaverWindow, RunningFullScreenSaverKeepsTheScreen)
{
    HWND running = HoldWindow("Screen Saver");
    ASSERT_NE(running, nullptr);

    EXPECT_EQ(Run(nullptr), 0);
    EXPECT_FALSE(seen.looked) << "no window was created";
    EXPECT_EQ(saverWindow, nullptr);
    EXPECT_EQ(autoPlayMsg, 0u);
    WNDCLASSA registered;
    EXPECT_FALSE(GetClassInfoA(saverInstance, kSaverClass, &registered)) << "the class was not registered";
    // The other process takes the front when it handles the request.
    for (int wait = 0; wait < 100 && GetForegroundWindow() != running; ++wait) Sleep(20);
    EXPECT_EQ(GetForegroundWindow(), running);
    PostMessageA(running, WM_CLOSE, 0, 0);
}

TEST_F(SaverWindow, RunningPreviewDoesNotStopFullScreen)
{
    HWND preview = HoldWindow("Preview");
    ASSERT_NE(preview, nullptr);

    EXPECT_EQ(Run(nullptr), 0);
    EXPECT_TRUE(seen.looked);
    EXPECT_STREQ(seen.title, "Screen Saver");
    PostMessageA(preview, WM_CLOSE, 0, 0);
}

TEST_F(SaverWindow, OnWindows9xThePreviewRegistersQueryCancelAutoPlay)
{
    isWin9x = TRUE;
    MakeParent();
    EXPECT_EQ(Run(parent), 0);
    EXPECT_NE(autoPlayMsg, 0u);
    EXPECT_EQ(autoPlayMsg, RegisterWindowMessageA("QueryCancelAutoPlay"));
}

// A class of that name already in the process makes the registration fail:
// no window, no loop, and a defined result.
TEST_F(SaverWindow, NoWindowGivesMinusOne)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = saverInstance;
    windowClass.lpszClassName = kSaverClass;
    ASSERT_TRUE(RegisterClassA(&windowClass));
    MakeParent();

    EXPECT_EQ(Run(parent), -1);
    EXPECT_EQ(saverWindow, nullptr);
    EXPECT_FALSE(seen.looked);
}

}  // namespace
