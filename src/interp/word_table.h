// A word map built once from the word list: a byte trie whose nodes are rows
// of a small table. Reading a candidate one byte longer is one step from the
// node of the candidate before it, two table reads, so trying the lengths
// 1, 2, 3 ... in order costs a few instructions each, and a node with no
// children ends the search (no longer candidate can be a word).
#pragma once

#include <array>
#include <cstdint>
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

template <typename Value>
class WordTable {
public:
    // A step's result: the byte offset of the node's row, with bit 0 set
    // when a word ends at that node; 0 when no word goes on that way.
    using Node = uint16_t;
    static constexpr Node Root = 0;
    static constexpr int MaxNodes = 256; // the word list needs about 160
    static constexpr int Columns = 64;   // distinct bytes in the words, plus "none"

    // Sets the value of a word, replacing an earlier one. Returns false when
    // the table is full (the fixed word list never fills it).
    bool set(std::string_view word, Value value)
    {
        if (word.empty()) return false;
        int node = 0;
        Node* link = nullptr;
        for (char ch : word) {
            uint8_t b = static_cast<uint8_t>(ch);
            if (column_[b] == 0) {
                if (columns_ == Columns) return false;
                column_[b] = columns_++;
            }
            link = &next_[static_cast<size_t>(node)][column_[b]];
            if (*link == 0) {
                if (nodes_ == MaxNodes) return false;
                *link = static_cast<Node>(nodes_++ * RowBytes);
            }
            node = *link / RowBytes;
        }
        *link = static_cast<Node>(*link | 1);
        values_[static_cast<size_t>(node)] = value;
        for (int b = 0; b < 256; ++b) first_[static_cast<size_t>(b)] = next_[0][column_[static_cast<size_t>(b)]];
        return true;
    }

    // The first step, from Root: one table read.
    Node first(uint8_t b) const { return first_[b]; }

    // One byte further on from a step's result (Root to begin with).
    Node step(Node from, uint8_t b) const
    {
        const auto* row = reinterpret_cast<const unsigned char*>(next_.data()) + (from & ~1u);
        return reinterpret_cast<const Node*>(row)[column_[b]];
    }
    static bool endsWord(Node n) { return (n & 1) != 0; }
    // The value of the word that a step's result ends; endsWord(n) must hold.
    const Value& valueOf(Node n) const { return values_[n / RowBytes]; }
    const Value* valueAt(Node n) const { return endsWord(n) ? &values_[n / RowBytes] : nullptr; }

    // The value of a packed word, or nullptr.
    const Value* find(uint64_t key) const
    {
        int n = static_cast<int>(key >> 56);
        Node node = Root;
        for (int i = 0; i < n; ++i) {
            uint8_t b = static_cast<uint8_t>(key >> (8 * i));
            node = i == 0 ? first(b) : step(node, b);
            if (node == 0) return nullptr;
        }
        return n > 0 ? valueAt(node) : nullptr;
    }
    Value* find(uint64_t key)
    {
        return const_cast<Value*>(static_cast<const WordTable*>(this)->find(key));
    }

    // Visits every entry, for re-coding values in place.
    template <typename F>
    void forEach(F f)
    {
        for (const auto& row : next_)
            for (Node n : row)
                if (endsWord(n)) f(values_[n / RowBytes]);
    }

private:
    static constexpr int RowBytes = Columns * static_cast<int>(sizeof(Node));
    static_assert(MaxNodes * RowBytes <= 0xffff, "row offsets fit a Node with bit 0 free");
    std::array<uint8_t, 256> column_{}; // 0: the byte is in no word
    std::array<Node, 256> first_{};     // the steps from Root, by byte
    std::array<std::array<Node, Columns>, MaxNodes> next_{};
    std::array<Value, MaxNodes> values_{};
    uint8_t columns_ = 1;
    int nodes_ = 1;
};

} // namespace atb
