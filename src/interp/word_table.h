// A fixed open-addressed table keyed by words of up to seven bytes, packed
// into one 64-bit number: a lookup costs a multiply and a compare or two.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace atb {

// The bytes in little-endian order and the length in the top byte, so no
// packed word is 0 and words of different lengths never collide.
inline uint64_t packWord(const char* p, int n)
{
    uint64_t key = static_cast<uint64_t>(n) << 56;
    for (int i = 0; i < n; ++i)
        key |= static_cast<uint64_t>(static_cast<uint8_t>(p[i])) << (8 * i);
    return key;
}

// Adds byte b as the nth byte (0-based) of a key packed for n bytes.
inline uint64_t extendWord(uint64_t key, int n, uint8_t b)
{
    return (key & 0x00ffffffffffffffULL) | (static_cast<uint64_t>(n + 1) << 56) |
           (static_cast<uint64_t>(b) << (8 * n));
}

template <typename Value, int Slots = 512>
class WordTable {
    static_assert((Slots & (Slots - 1)) == 0, "slot count is a power of two");

public:
    // Sets the value of a word, replacing an earlier one.
    void set(std::string_view word, Value value)
    {
        uint64_t key = packWord(word.data(), static_cast<int>(word.size()));
        for (uint32_t i = hash(key);; i = (i + 1) & (Slots - 1)) {
            if (keys_[i] == 0 || keys_[i] == key) {
                keys_[i] = key;
                values_[i] = value;
                return;
            }
        }
    }

    // The value of a packed word, or nullptr.
    const Value* find(uint64_t key) const
    {
        for (uint32_t i = hash(key);; i = (i + 1) & (Slots - 1)) {
            if (keys_[i] == key) return &values_[i];
            if (keys_[i] == 0) return nullptr;
        }
    }
    Value* find(uint64_t key)
    {
        return const_cast<Value*>(static_cast<const WordTable*>(this)->find(key));
    }

    // Visits every entry, for re-coding values in place.
    template <typename F>
    void forEach(F f)
    {
        for (int i = 0; i < Slots; ++i)
            if (keys_[i] != 0) f(values_[i]);
    }

private:
    static uint32_t hash(uint64_t key)
    {
        return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ULL) >> 40) & (Slots - 1);
    }

    std::array<uint64_t, Slots> keys_{};
    std::array<Value, Slots> values_{};
};

} // namespace atb
