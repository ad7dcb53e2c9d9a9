// The tests' own "PASSWORD.CPL": a stand-in for the Windows 9x password
// checker that answers as scripted and counts the questions. For the saver
// run from a script, the answer starts from AOKIRI_CHECKER_ANSWER (0 when
// unset) and each question adds a line to the file AOKIRI_CHECKER_LOG names,
// if any. A test program sets the answer with SetCheckerAnswer and may have
// the checker run something while it "asks", as its dialog would dispatch
// the saver's messages.
#include <windows.h>

#include <cstdio>
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
    if (const char* log = std::getenv("AOKIRI_CHECKER_LOG")) {
        if (FILE* file = std::fopen(log, "a")) {
            std::fprintf(file, "asked\n");
            std::fclose(file);
        }
    }
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
