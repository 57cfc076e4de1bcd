// Terminal bytes to key events, and key events to key states.
#include "platform/key_decoder.h"
#include "platform/key_states.h"

#include <gtest/gtest.h>

using atb::KeyDecoder;
using atb::KeyEvent;
using atb::KeyStates;

namespace {

constexpr uint8_t S = KeyEvent::Shift, A = KeyEvent::Alt, C = KeyEvent::Ctrl;

std::vector<KeyEvent> decode(const std::string& bytes)
{
    KeyDecoder d;
    std::vector<KeyEvent> out;
    d.feed(bytes, out);
    if (d.pending()) d.timeout(out);
    return out;
}

} // namespace

TEST(KeyDecoder, OneKeyPerByteOrSequence)
{
    struct Case {
        std::string bytes;
        int32_t scan;
        uint8_t mods;
    } cases[] = {
        {"a", 30, 0},          {"Z", 44, S},          {"0", 11, 0},          {"!", 2, S},
        {" ", 57, 0},          {"\r", 28, 0},         {"\n", 28, 0},         {"\t", 15, 0},
        {"\x7f", 14, 0},       {"\x08", 14, 0},       {"\x1b", 1, 0},        {"-", 12, 0},
        {"\x01", 30, C},       {"\x1a", 44, C},       {"\x1b" "a", 30, A},   {"\x1b[A", 200, 0},
        {"\x1b[B", 208, 0},    {"\x1b[C", 205, 0},    {"\x1b[D", 203, 0},    {"\x1bOD", 203, 0},
        {"\x1b[H", 199, 0},    {"\x1b[F", 207, 0},    {"\x1b[1~", 199, 0},   {"\x1b[4~", 207, 0},
        {"\x1b[2~", 210, 0},   {"\x1b[3~", 211, 0},   {"\x1b[5~", 201, 0},   {"\x1b[6~", 209, 0},
        {"\x1bOP", 59, 0},     {"\x1bOS", 62, 0},     {"\x1b[[A", 59, 0},    {"\x1b[15~", 63, 0},
        {"\x1b[21~", 68, 0},   {"\x1b[23~", 87, 0},   {"\x1b[24~", 88, 0},   {"\x1b[1;5C", 205, C},
        {"\x1b[1;2A", 200, S}, {"\x1b[3;3~", 211, A}, {"\x1b[Z", 15, S},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        auto events = decode(c.bytes);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].scan, c.scan);
        EXPECT_EQ(events[0].mods, c.mods);
        EXPECT_EQ(events[0].type, KeyEvent::Press);
        EXPECT_FALSE(events[0].explicitType);
    }
}

TEST(KeyDecoder, KittyEventsCarryTheirTypeAndModifiers)
{
    struct Case {
        std::string bytes;
        int32_t scan;
        uint8_t mods;
        KeyEvent::Type type;
    } cases[] = {
        {"\x1b[97u", 30, 0, KeyEvent::Press},         {"\x1b[97;1:2u", 30, 0, KeyEvent::Repeat},
        {"\x1b[97;1:3u", 30, 0, KeyEvent::Release},   {"\x1b[97:65;2u", 30, S, KeyEvent::Press},
        {"\x1b[99;5u", 46, C, KeyEvent::Press},       {"\x1b[13u", 28, 0, KeyEvent::Press},
        {"\x1b[27;1:3u", 1, 0, KeyEvent::Release},    {"\x1b[57441;2u", 42, 0, KeyEvent::Press},
        {"\x1b[57442;5:3u", 29, 0, KeyEvent::Release}, {"\x1b[57443u", 56, 0, KeyEvent::Press},
        {"\x1b[57447u", 54, 0, KeyEvent::Press},       {"\x1b[57399u", 82, 0, KeyEvent::Press},
        {"\x1b[1;1:3A", 200, 0, KeyEvent::Release},   {"\x1b[5;1:2~", 201, 0, KeyEvent::Repeat},
        {"\x1b[13;1:3~", 61, 0, KeyEvent::Release},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        auto events = decode(c.bytes);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].scan, c.scan);
        EXPECT_EQ(events[0].mods, c.mods);
        EXPECT_EQ(events[0].type, c.type);
        EXPECT_TRUE(events[0].explicitType);
    }
}

TEST(KeyDecoder, SequencesSplitAcrossReadsWaitAndRepliesAreSkipped)
{
    KeyDecoder d;
    std::vector<KeyEvent> out;
    d.feed("\x1b", out);
    d.feed("[", out);
    EXPECT_TRUE(d.pending());
    d.feed("1;5", out);
    EXPECT_TRUE(out.empty());
    d.feed("Dq", out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].scan, 203);
    EXPECT_EQ(out[1].scan, 16);
    EXPECT_FALSE(d.pending());

    // Replies to queries, unknown sequences and non-ASCII text press nothing.
    EXPECT_TRUE(decode("\x1b[?1u\x1b[?64;1c\x1b[200~\x1b[99X\xc3\xa9").empty());
    // Two Esc presses in a row, and an Esc that ends a read alone.
    auto twice = decode("\x1b\x1b");
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[1].scan, 1);
}

TEST(KeyStates, WithoutReleasesAKeyLingersLongerOnceItRepeats)
{
    KeyStates k;
    KeyEvent a;
    a.scan = 30;
    a.mods = KeyEvent::Shift;
    k.apply(a, 1000);
    EXPECT_TRUE(k.isDown(30, 1000));
    EXPECT_TRUE(k.isDown(42, 1000));  // Shift inferred from the byte
    EXPECT_FALSE(k.isDown(31, 1000));
    EXPECT_TRUE(k.isDown(30, 1000 + KeyStates::FirstLingerMs - 1));
    EXPECT_FALSE(k.isDown(30, 1000 + KeyStates::FirstLingerMs));
    // Repeats: the first after the auto-repeat delay, then quickly.
    k.apply(a, 2000);
    k.apply(a, 2500);
    k.apply(a, 2530);
    EXPECT_TRUE(k.isDown(30, 2530 + KeyStates::RepeatLingerMs - 1));
    EXPECT_FALSE(k.isDown(30, 2530 + KeyStates::RepeatLingerMs));
    // A press long after is a single press again.
    k.apply(a, 9000);
    EXPECT_TRUE(k.isDown(30, 9000 + KeyStates::RepeatLingerMs + 1));
    static_assert(KeyStates::FirstLingerMs > 600, "longer than common auto-repeat delays");
}

TEST(KeyStates, ANewKeyEndsTheLingerOfTheOthers)
{
    KeyStates k;
    KeyEvent right, up;
    right.scan = 205;
    up.scan = 200;
    up.mods = KeyEvent::Shift;
    k.apply(right, 0);
    k.apply(up, 10);
    EXPECT_FALSE(k.isDown(205, 10));
    EXPECT_TRUE(k.isDown(200, 10));
    EXPECT_TRUE(k.isDown(42, 10));
    k.apply(right, 20);  // without Shift this time
    EXPECT_FALSE(k.isDown(42, 20));
    EXPECT_FALSE(k.isDown(200, 20));
}

TEST(KeyStates, ReportedReleasesEndTheKeyWhateverTheTime)
{
    KeyStates k;
    KeyEvent e;
    e.scan = 200;
    e.explicitType = true;
    k.apply(e, 0);
    EXPECT_TRUE(k.isDown(200, 100000));
    e.type = KeyEvent::Repeat;
    k.apply(e, 100000);
    EXPECT_TRUE(k.isDown(200, 100001));
    e.type = KeyEvent::Release;
    k.apply(e, 100002);
    EXPECT_FALSE(k.isDown(200, 100002));
    EXPECT_FALSE(k.isDown(-1, 0));
    EXPECT_FALSE(k.isDown(256, 0));
}
