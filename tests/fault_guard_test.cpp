// The fault guard, for real: the helper program faults inside it.

#include "fault_guard.h"
#include "win/helper_process.h"

#include <gtest/gtest.h>

namespace {

// A continuable fault goes on where it was raised and leaves the guard in
// place; the write through a null pointer then goes through the platform's
// processing (here the outer filter, which the platform calls) and ends the
// process with the guard's exit code once SetSaverRunning(0) has run.
TEST(FaultGuard, PlatformFirstThenSaverStoppedThenFaultExitCode)
{
    HelperRun run = RunHelper("fault");
    EXPECT_EQ(run.output,
              "outer filter e0000001\n"
              "continued\n"
              "outer filter c0000005\n"
              "SetSaverRunning(0)\n");
    EXPECT_EQ(run.exitCode, FAULT_EXIT_CODE);
}

}  // namespace
