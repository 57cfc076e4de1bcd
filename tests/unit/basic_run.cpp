#include "basic_run.h"

#include <gtest/gtest.h>

namespace atb::test {

std::string printedBeforeTimeReport(const BasicRun& run)
{
    const std::string& out = run.output();
    std::string tail = timeReport(static_cast<int>(run.fake.clock.now));
    if (out.size() < tail.size() || out.compare(out.size() - tail.size(), tail.size(), tail) != 0) {
        ADD_FAILURE() << "no time report at the end of: " << out;
        return out;
    }
    return out.substr(0, out.size() - tail.size());
}

} // namespace atb::test
