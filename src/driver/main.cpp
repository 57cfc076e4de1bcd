// atbasic PROGRAM.bas: runs a line-numbered BASIC program from its source file.
#include "driver/session.h"
#include "platform/system_platform.h"

#include <cstdio>

namespace {

void toStderr(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

} // namespace

int main(int argc, char** argv)
{
    atb::SessionSetup setup;
    setup.args.assign(argv, argv + argc);
    setup.workingDirectory = atb::SystemPlatform::workingDirectory();
    setup.systemSoundPath = &atb::SystemPlatform::systemSoundPath;
    setup.notice = &toStderr;
    {
        atb::SystemPlatform system;
        atb::runSession(system.platform(), setup);
    }
    return 0;
}
