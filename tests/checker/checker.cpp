// The tests' own "PASSWORD.CPL": a stand-in for the Windows 9x password
// checker that answers as scripted and counts the questions. The answer
// starts from AOKIRI_CHECKER_ANSWER (0 when unset), so that the saver run
// from a script sees it too; a test program sets it with SetCheckerAnswer
// and may have the checker run something while it "asks", as its dialog
// would dispatch the saver's messages.
#include <windows.h>

#include <cstdlib>

namespace {

BOOL answer = -1;
LONG calls;
void (*whileAsking)(HWND owner);

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND owner)
{
    ++calls;
    if (answer == -1) {
        const char* scripted = std::getenv("AOKIRI_CHECKER_ANSWER");
        answer = scripted ? std::atoi(scripted) : 0;
    }
    if (whileAsking) whileAsking(owner);
    return answer;
}

__declspec(dllexport) void SetCheckerAnswer(BOOL value)
{
    answer = value;
}

__declspec(dllexport) LONG CheckerCalls()
{
    return calls;
}

__declspec(dllexport) void SetCheckerAction(void (*action)(HWND owner))
{
    whileAsking = action;
}

}
