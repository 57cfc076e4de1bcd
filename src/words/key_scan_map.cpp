// Virtual-key codes to keyboard scan codes, for VKEY.
#include "words/words.h"

namespace atb {

void fillKeyScanMap(Interpreter& in)
{
    auto& m = in.keyScanMap;
    m.fill(-1);
    struct Entry {
        int vk, scan;
    };
    static constexpr Entry Fixed[] = {
        {8, 14},    {9, 15},    {13, 28},   {16, 42},   {17, 29},   {18, 56},   {19, 197},
        {20, 58},   {27, 1},    {32, 57},   {33, 201},  {34, 209},  {35, 207},  {36, 199},
        {37, 203},  {38, 200},  {39, 205},  {40, 208},  {45, 210},  {46, 211},  {48, 11},
        {106, 55},  {107, 78},  {109, 74},  {110, 83},  {111, 181}, {122, 87},  {123, 88},
        {144, 69},  {145, 70},  {187, 39},  {188, 51},  {190, 52},  {191, 53},  {219, 26},
        {221, 27},
    };
    for (const Entry& e : Fixed) m[e.vk] = e.scan;
    for (int d = 1; d <= 9; ++d) m[48 + d] = 1 + d;              // 1 to 9
    static constexpr int Letters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                        49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    for (int i = 0; i < 26; ++i) m[65 + i] = Letters[i];
    static constexpr int Keypad[10] = {82, 79, 80, 81, 75, 76, 77, 71, 72, 73};
    for (int i = 0; i < 10; ++i) m[96 + i] = Keypad[i];
    for (int i = 0; i < 10; ++i) m[112 + i] = 59 + i;              // F1 to F10
}

} // namespace atb
