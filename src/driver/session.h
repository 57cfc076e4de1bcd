// One run of atbasic: start-up, the run loop, the time or error report and
// the final wait, on the services it is given.
#pragma once

#include "platform/platform.h"

#include <functional>
#include <string>
#include <vector>

namespace atb {

struct SessionSetup {
    std::vector<std::string> args;          // the command line, args[0] the program's own name
    std::string workingDirectory;           // with a separator after it, for the media slots
    std::function<std::string(int32_t)> systemSoundPath;
    // Where messages that are not the program's own go (stderr).
    std::function<void(const std::string&)> notice;
    // Jumps the run may make before JumpBudgetSpent is thrown out of
    // runSession; 0 is no limit. Only the fuzzing harness sets it.
    uint64_t jumpBudget = 0;
};

struct Interpreter;

// Runs a loaded program to its end with the time report, or to its first
// error with the error report; both wait for Return.
void runLoaded(Interpreter& in);

// Runs the session to its end; the process then exits with status 0.
void runSession(Platform& platform, const SessionSetup& setup);

} // namespace atb
