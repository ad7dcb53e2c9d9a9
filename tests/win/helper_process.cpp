#include "helper_process.h"

namespace {

std::string HelperCommandLine(const std::string& arguments)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return "\"" + folder + "aokiri_test_helper.exe\" " + arguments;
}

HANDLE Start(const std::string& arguments, HANDLE output)
{
    std::string line = HelperCommandLine(arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                        &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace

HelperRun RunHelper(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE process = Start(arguments, writeEnd);
    CloseHandle(writeEnd);
    HelperRun run = {0xFFFFFFFF, ""};
    if (process == nullptr) {
        CloseHandle(readEnd);
        return run;
    }
    char buffer[512];
    DWORD got;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] != '\r') run.output += buffer[i];  // the C run time writes text lines with CR LF
        }
    }
    CloseHandle(readEnd);
    WaitForSingleObject(process, INFINITE);
    GetExitCodeProcess(process, &run.exitCode);
    CloseHandle(process);
    return run;
}

HANDLE StartHelper(const std::string& arguments) { return Start(arguments, nullptr); }
