// The real services of this machine, chosen for where stdin and stdout lead.
#pragma once

#include "platform/platform.h"

#include <memory>
#include <string>

namespace atb {

class SystemPlatform {
public:
    SystemPlatform();
    ~SystemPlatform();
    SystemPlatform(const SystemPlatform&) = delete;
    SystemPlatform& operator=(const SystemPlatform&) = delete;

    Platform& platform();
    // Where the four sounds of the system live (slots 16 to 19), or "".
    static std::string systemSoundPath(int32_t slot);
    // The working directory with a separator after it.
    static std::string workingDirectory();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace atb
