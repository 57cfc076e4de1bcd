// Runs program text on the fake platform, as the driver would run a file.
#pragma once

#include "driver/session.h"
#include "interp/interpreter.h"
#include "platform/fake/fake_platform.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace atb::test {

struct BasicRun {
    FakePlatform fake;
    std::unique_ptr<Interpreter> in = std::make_unique<Interpreter>(fake.platform);

    // Loads source as a program file's bytes and runs it with the lines typed.
    BasicRun(std::string_view source, std::vector<std::string> typed = {},
             void (*setup)(FakePlatform&) = nullptr)
    {
        if (setup) setup(fake);
        for (auto& line : typed) fake.console.typedLines.push_back(line);
        buildWordMaps(*in);
        int32_t lines = 0;
        storeProgram(source, in->store, lines);
        runLoaded(*in);
    }

    const std::string& output() const { return fake.console.output; }
};

// The tail a run that ends normally prints after the program's output.
inline std::string timeReport(int ms = 0)
{
    return "\r\nPress Return To exit.  Time: " + std::to_string(ms) + " ms ";
}

// The report of an error: its word, the line as far as it was read, the prompt.
inline std::string errorReport(std::string_view word, std::string_view shownLine)
{
    return std::string(word) + "\r\n" + std::string(shownLine) + "\r\nPress return to exit. ";
}

// What a program printed before its time report; fails the test when the run
// did not end with one.
std::string printedBeforeTimeReport(const BasicRun& run);

} // namespace atb::test
