// The services a BASIC program reaches beyond its own tables: console,
// keyboard, clock, random source, sound, media and dialogs. Each is a small
// interface with a real backend and a fake for tests; the interpreter sees
// only these declarations and never a system header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace atb {

// Thrown by a console whose output has gone away (a closed pipe, a hung-up
// terminal): the run ends quietly, as when the console window is closed.
struct ConsoleClosed {};

class Console {
public:
    virtual ~Console() = default;
    // Writes the bytes at the cursor and adds nothing.
    virtual void print(std::string_view bytes) = 0;
    // Writes the bytes, then CR LF, then flushes.
    virtual void printLine(std::string_view bytes) = 0;
    // Writes n blanks (nothing when n <= 0) without building them in memory.
    virtual void printBlanks(int64_t n);
    // Waits for one typed line and gives it without its line end; at the end
    // of input it gives an empty line.
    virtual std::string inputLine() = 0;
    virtual void clear() = 0;
    virtual void locate(int32_t column, int32_t row) = 0;
    virtual void setColor(int32_t foreground, int32_t background) = 0;
    virtual void setCursorHeight(int32_t tenths) = 0;
    virtual void setDirectMode(bool on) = 0;
    virtual void flush() = 0;
    // The program's file, once loaded: a console that shows text converts it
    // from the file's own encoding.
    virtual void useProgramText(std::string_view) {}
};

// Key states by DirectInput scan code (0 to 255).
class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Takes a snapshot of every key; false when it failed (all keys read up).
    virtual bool examine() = 0;
    virtual bool isPushed(int32_t scanCode) = 0;
    virtual bool isAnyPushed() = 0;
    // True once no key can ever come (piped input at its end): a wait for a
    // key then ends instead of hanging.
    virtual bool exhausted() { return false; }
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the clock's first reading.
    virtual int64_t elapsedMs() = 0;
    virtual void sleepMs(int32_t ms) = 0;
};

// One source per run, seeded at first use, shared by RND and SHUF.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly distributed integer from 0 to bound - 1; bound >= 1.
    virtual uint32_t below(uint32_t bound) = 0;
};

// Sound slots 1 to 19: one looping main playback each, plus any number of
// overlapping one-shot playbacks. Every operation on an empty slot does nothing.
class SoundSlots {
public:
    virtual ~SoundSlots() = default;
    virtual void load(int32_t slot, const std::string& path) = 0;
    virtual void playChannel(int32_t slot, int32_t volume) = 0;
    virtual void playLoop(int32_t slot, int32_t volume) = 0;
    virtual void stopAll(int32_t slot) = 0;
    virtual void stopMain(int32_t slot) = 0;
};

// Media slots 1 to 9, each an opened movie or piece of music.
class MediaSlots {
public:
    virtual ~MediaSlots() = default;
    virtual void load(int32_t slot, const std::string& path) = 0;
    virtual void play(int32_t slot) = 0;
    virtual void stop(int32_t slot) = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Offers a program file to open; an empty name when cancelled.
    virtual std::string chooseProgramFile() = 0;
    // Shows a message with a single OK; texts are UTF-8.
    virtual void messageBox(std::string_view title, std::string_view text) = 0;
};

// The services of one run, owned by whoever made them (the driver or a test).
struct Platform {
    Console& console;
    Keyboard& keyboard;
    Clock& clock;
    RandomSource& random;
    SoundSlots& sound;
    MediaSlots& media;
    Dialogs& dialogs;
};

} // namespace atb
