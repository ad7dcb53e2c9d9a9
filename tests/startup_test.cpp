// SaverMain in the test process, for the tails whose modes end without
// anyone closing a window, and one preview in a window of the test.

#include "fault_guard.h"
#include "saver_window.h"
#include "settings_file.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TailCase {
    const char* name;
    const char* tail;
    int result;
};

void PrintTo(const TailCase& c, std::ostream* out) { *out << c.name; }

class SaverMainTail : public testing::TestWithParam<TailCase> {};

// The test program has no dialog template 2003, so the settings modes end
// at once with DialogBoxParamA's failure value, -1.
TEST_P(SaverMainTail, EndsWithTheModesResult)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(SaverMain(instance, GetParam().tail), GetParam().result);
    EXPECT_EQ(saverInstance, instance);
    EXPECT_FALSE(isWin9x) << "Wine reports a Windows NT system";
}

INSTANTIATE_TEST_SUITE_P(
    Tails, SaverMainTail,
    testing::Values(TailCase{"unknownLetter", "/x", -1}, TailCase{"digit", "/1", -1}, TailCase{"highByte", "\xE9", -1},
                    TailCase{"previewWithoutNumber", "/p", -1}, TailCase{"previewOfZero", "/p 0", -1},
                    TailCase{"previewOfColon", "/p:567", -1}, TailCase{"previewOfNoWindow", "/l 4294967295", -1},
                    TailCase{"changePasswordOutsideWindows9x", "/a 567", -1},
                    TailCase{"settingsWithoutTemplate", "", -1}, TailCase{"ownedSettingsWithoutTemplate", "/c:0", -1}),
    [](const testing::TestParamInfo<TailCase>& info) { return std::string(info.param.name); });

TEST(SaverMain, RegisterSettingsClassesLetsTheDialogRun)
{
    EXPECT_EQ(RegisterSettingsClasses(GetModuleHandleA(nullptr)), TRUE);
}

void CALLBACK DestroySaverWindow(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (saverWindow) DestroyWindow(saverWindow);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SaverMain, PreviewRunsInTheNumberedWindow)
{
    RemoveSettingsFile();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "SaverMainTestParent";
    RegisterClassA(&windowClass);
    HWND parent = CreateWindowExA(0, windowClass.lpszClassName, "settings page", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                  nullptr, nullptr, instance, nullptr);
    ASSERT_NE(parent, nullptr);
    saverWindow = nullptr;
    std::string tail = "/p " + std::to_string(reinterpret_cast<UINT_PTR>(parent));

    UINT_PTR destroy = SetTimer(nullptr, 0, 50, DestroySaverWindow);
    EXPECT_EQ(SaverMain(instance, tail.c_str()), 0);
    KillTimer(nullptr, destroy);
    ASSERT_NE(saverWindow, nullptr);
    EXPECT_FALSE(IsWindow(saverWindow));
    EXPECT_TRUE(isPreview);
    DestroyWindow(parent);
    UnregisterClassA("WindowsScreenSaverClass", instance);
}

}  // namespace
