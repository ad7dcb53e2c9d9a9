// Starting tests/helper/test_helper.cpp, which lies beside the test program.
#pragma once

#include <windows.h>

#include <string>

struct HelperRun {
    DWORD exitCode;
    std::string output;  // what it wrote to its standard output
};

// Runs the helper with the given arguments to its end.
HelperRun RunHelper(const std::string& arguments);

// Starts the helper and returns its process handle at once.
HANDLE StartHelper(const std::string& arguments);
