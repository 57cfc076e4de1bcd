// The program as loaded: per line index 1 to 2000 its normalised text, its
// number and its length, and the map from line numbers to line indexes.
// Read-only once loaded.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace atb {

constexpr int32_t MaxLines = 2000;

// Line number -> line index. A number's decimal text is a function of the
// number, so keying by the number finds exactly what its text would, and a
// jump formats nothing. At most 2000 keys live in 4096 slots.
class LineIndexMap {
public:
    void set(int32_t number, int32_t index);
    // The line index, or 0 when no line bears the number.
    int32_t find(int32_t number) const
    {
        for (uint32_t i = hash(number);; i = (i + 1) & (Slots - 1)) {
            if (slots_[i].index == 0) return 0;
            if (slots_[i].number == number) return slots_[i].index;
        }
    }

private:
    static constexpr uint32_t Slots = 4096;
    static uint32_t hash(int32_t n)
    {
        return (static_cast<uint32_t>(n) * 2654435761u) >> 20;
    }
    struct Slot {
        int32_t number = 0;
        int32_t index = 0; // 0: free
    };
    std::array<Slot, Slots> slots_{};
};

struct ProgramStore {
    std::vector<std::string> lineText = std::vector<std::string>(MaxLines + 1);
    std::vector<int32_t> lineNumber = std::vector<int32_t>(MaxLines + 1, 0);
    std::vector<int32_t> lineLength = std::vector<int32_t>(MaxLines + 1, 0);
    int32_t lineCount = 0;
    LineIndexMap lineIndexByNumber;
};

// Why a program file could not be loaded.
enum class LoadResult { Loaded, Unreadable, TooManyLines };

// Splits file contents into lines: each ends at LF, CR, CR LF, NUL or the end
// of the file; a file that ends with a line end yields no empty line after it.
std::vector<std::string_view> splitLines(std::string_view contents);

// Normalises a trimmed raw line from 1-based position p: blanks and tabs
// dropped, upper case, ":" and "THEN" turned into ";" outside quotes.
std::string normaliseLine(std::string_view raw, int32_t p);

// Files every line into the store. More than MaxLines lines store nothing;
// the count is given back in lineCountOut either way.
LoadResult storeProgram(std::string_view contents, ProgramStore& store, int32_t& lineCountOut);

} // namespace atb
