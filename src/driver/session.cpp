#include "driver/session.h"

#include "interp/interpreter.h"
#include "interp/literal.h"
#include "platform/file.h"
#include "words/words.h"

#include <memory>
#include <string>

namespace atb {

namespace {

const char MissingFileText[] = "該当するファイルがありません。";

void loadMediaSlots(Platform& p, const SessionSetup& setup)
{
    for (int32_t slot = 1; slot <= 9; ++slot)
        p.media.load(slot, setup.workingDirectory + "mov" + std::to_string(slot));
    for (int32_t slot = 1; slot <= 15; ++slot)
        p.sound.load(slot, setup.workingDirectory + "wav" + std::to_string(slot) + ".wav");
    for (int32_t slot = 16; slot <= 19; ++slot) {
        std::string path = setup.systemSoundPath ? setup.systemSoundPath(slot) : std::string();
        if (!path.empty()) p.sound.load(slot, path);
    }
}

std::string chooseProgramFile(Platform& p, const SessionSetup& setup)
{
    if (setup.args.size() < 2) return p.dialogs.chooseProgramFile();
    std::string name;
    for (char ch : setup.args[1])
        if (ch != '"') name += ch;
    return name;
}

void printErrorReport(Interpreter& in, ErrorKind kind)
{
    Console& console = in.platform.console;
    const Cursor& c = in.cursor;
    console.printLine(errorWord(kind));
    int32_t number = c.lineIndex >= 1 && c.lineIndex <= in.store.lineCount
                         ? in.store.lineNumber[c.lineIndex]
                         : 0;
    int32_t shownLength = c.pos - 1;
    if (shownLength < 0) shownLength = 0;
    if (shownLength > c.length) shownLength = c.length;
    std::string line;
    char buffer[12];
    if (number >= 1) {
        line = decimalText(number, buffer);
        line += ' ';
    } else {
        line = decimalText(c.lineIndex, buffer);
        line += " Line : ";
    }
    line.append(c.text, static_cast<size_t>(shownLength));
    console.printLine(line);
    console.print("Press return to exit. ");
    console.inputLine();
}

void printTimeReport(Interpreter& in)
{
    Console& console = in.platform.console;
    int64_t elapsed = in.platform.clock.elapsedMs() - in.startMs;
    int32_t ms = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(elapsed)));
    char buffer[12];
    console.printLine("");
    std::string text = "Press Return To exit.  Time: ";
    text += decimalText(ms, buffer);
    text += " ms ";
    console.print(text);
    console.inputLine();
}

} // namespace

void runLoaded(Interpreter& in)
{
    fillKeyScanMap(in);
    installHandlers(in);
    in.startMs = in.platform.clock.elapsedMs();
    try {
        runProgram(in);
    } catch (const BasicError& e) {
        printErrorReport(in, e.kind);
        return;
    }
    printTimeReport(in);
}

void runSession(Platform& platform, const SessionSetup& setup)
{
    try {
        loadMediaSlots(platform, setup);
        auto in = std::make_unique<Interpreter>(platform);
        buildWordMaps(*in);

        std::string name = chooseProgramFile(platform, setup);
        std::string contents;
        if (!readWholeFile(name, contents)) {
            platform.dialogs.messageBox("Information", MissingFileText);
            return;
        }
        platform.console.useProgramText(contents);
        int32_t lines = 0;
        if (storeProgram(contents, in->store, lines) == LoadResult::TooManyLines) {
            if (setup.notice)
                setup.notice("atbasic: " + name + " has " + std::to_string(lines) +
                             " lines, more than the " + std::to_string(MaxLines) +
                             " a program may have; nothing was run.");
            return;
        }
        if (setup.jumpBudget != 0) in->jumpsLeft = setup.jumpBudget;
        runLoaded(*in);
    } catch (const ConsoleClosed&) {
        // The console went away: end quietly, as when its window is closed.
    }
}

} // namespace atb
