// A record of the platform calls that the system makes, taken by pointing
// the test program's import table at recording wrappers. Each wrapper calls
// the real function (unless told to fail) and appends one line such as
//   SetTimer(window,100,400,null)=100
// Handles print under the names they were given or produced with.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace call_log {

// Points the import table at the wrappers; once per process, idempotent.
void Install();

// Clears the record and the handle names, names the window under test
// "window", and starts recording.
void Start(HWND subject);
void Stop();
// Clears the record but keeps the handle names.
void ClearCalls();
const std::vector<std::string>& Calls();

// The calls whose names begin with the given text, in order.
std::vector<std::string> CallsOf(const std::string& prefix);

// The next SetTimer fails: returns 0 without starting a timer.
void FailNextSetTimer();

// Gives a handle a name in the record.
void Name(const void* handle, const std::string& name);

}  // namespace call_log
