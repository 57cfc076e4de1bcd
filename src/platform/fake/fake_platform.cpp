#include "platform/fake/fake_platform.h"

namespace atb {

std::string FakeConsole::inputLine()
{
    ++inputCount;
    if (typedLines.empty()) return {};
    std::string line = typedLines.front();
    typedLines.pop_front();
    return line;
}

void FakeConsole::locate(int32_t column, int32_t row)
{
    calls.push_back("locate " + std::to_string(column) + " " + std::to_string(row));
}

void FakeConsole::setColor(int32_t foreground, int32_t background)
{
    calls.push_back("color " + std::to_string(foreground) + " " + std::to_string(background));
}

void FakeConsole::setCursorHeight(int32_t tenths)
{
    calls.push_back("cursor " + std::to_string(tenths));
}

bool FakeKeyboard::examine()
{
    ++examineCount;
    if (pressAfterExamines >= 0 && examineCount >= pressAfterExamines) down.insert(pressScanCode);
    return !failing;
}

bool FakeKeyboard::isAnyPushed()
{
    if (failing) return false;
    for (int32_t scan : down)
        if (scan >= 0 && scan <= 254) return true;
    return false;
}

static std::string call(const char* what, int32_t a, int32_t b)
{
    return std::string(what) + " " + std::to_string(a) + " " + std::to_string(b);
}

void FakeSound::load(int32_t slot, const std::string& path)
{
    calls.push_back("load " + std::to_string(slot) + " " + path);
}
void FakeSound::playChannel(int32_t slot, int32_t volume) { calls.push_back(call("channel", slot, volume)); }
void FakeSound::playLoop(int32_t slot, int32_t volume) { calls.push_back(call("loop", slot, volume)); }
void FakeSound::stopAll(int32_t slot) { calls.push_back("stopAll " + std::to_string(slot)); }
void FakeSound::stopMain(int32_t slot) { calls.push_back("stopMain " + std::to_string(slot)); }

void FakeMedia::load(int32_t slot, const std::string& path)
{
    calls.push_back("load " + std::to_string(slot) + " " + path);
}
void FakeMedia::play(int32_t slot) { calls.push_back("play " + std::to_string(slot)); }
void FakeMedia::stop(int32_t slot) { calls.push_back("stop " + std::to_string(slot)); }

} // namespace atb
