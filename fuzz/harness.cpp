#include "fuzz/harness.h"

#include "driver/session.h"
#include "interp/interpreter.h"
#include "loader/program_store.h"
#include "platform/fake/fake_platform.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace atb::fuzz {

namespace {

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

// ---- A plain model of loading, written from the rules, not from the loader.

std::vector<std::string> modelLines(std::string_view s)
{
    std::vector<std::string> lines;
    size_t i = 0;
    while (i < s.size()) {
        std::string line;
        while (i < s.size()) {
            char ch = s[i++];
            if (ch == '\n' || ch == '\0') break;
            if (ch == '\r') {
                if (i < s.size() && s[i] == '\n') ++i;
                break;
            }
            line += ch;
        }
        lines.push_back(line);
    }
    return lines;
}

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string modelNormalise(const std::string& r, size_t p)
{
    const size_t len = r.size();
    std::string n;
    while (p <= len) {
        std::string four;
        for (size_t k = 0; k < 4 && p + k <= len; ++k) four += upperAscii(r[p + k - 1]);
        if (four == "THEN") {
            n += ';';
            p += 4;
        }
        if (p > len) break;
        char c = r[p - 1];
        if (c == '"' || c == '\'') {
            size_t q = len + 1;
            for (size_t k = p + 1; k <= len; ++k)
                if (r[k - 1] == c) {
                    q = k + 1;
                    break;
                }
            n += r.substr(p - 1, q - p);
            p = q;
        } else if (c == ' ' || c == '\t') {
            p += 1;
        } else if (static_cast<uint8_t>(c) == 0x81) {
            p += 2;
        } else if (c == ':') {
            n += ';';
            p += 1;
        } else {
            n += upperAscii(c);
            p += 1;
        }
    }
    return n;
}

struct ModelLine {
    std::string text;
    int32_t number = 0;
};

struct ModelStore {
    std::vector<ModelLine> lines{1};        // index 0 unused
    std::map<int32_t, int32_t> indexByNumber;
};

ModelStore modelStore(const std::vector<std::string>& raw)
{
    ModelStore m;
    for (const std::string& whole : raw) {
        size_t b = whole.find_first_not_of(' ');
        std::string line = b == std::string::npos ? "" : whole.substr(b, whole.find_last_not_of(' ') - b + 1);
        ModelLine ml;
        if (!line.empty()) {
            size_t p = 1;
            ml.number = -1;
            if (line[0] >= '0' && line[0] <= '9') {
                uint32_t v = 0;
                while (p <= line.size() && line[p - 1] >= '0' && line[p - 1] <= '9')
                    v = v * 10u + static_cast<uint32_t>(line[p++ - 1] - '0');
                ml.number = static_cast<int32_t>(v);
            }
            ml.text = modelNormalise(line, p);
            m.indexByNumber[ml.number] = static_cast<int32_t>(m.lines.size());
        }
        m.lines.push_back(ml);
    }
    return m;
}

// ---- A console that keeps only the tail of a long output.

class BoundedConsole : public Console {
public:
    std::string out;
    std::deque<std::string> typed;

    void print(std::string_view bytes) override { keep(bytes); }
    void printLine(std::string_view bytes) override
    {
        keep(bytes);
        keep("\r\n");
    }
    // Huge counts are legal (TAB(2000000000)); a few blanks stand for them.
    void printBlanks(int64_t n) override
    {
        if (n > 0) out.append(static_cast<size_t>(n < 64 ? n : 64), ' ');
    }
    std::string inputLine() override
    {
        if (typed.empty()) return {};
        std::string line = typed.front();
        typed.pop_front();
        return line;
    }
    void clear() override {}
    void locate(int32_t, int32_t) override {}
    void setColor(int32_t, int32_t) override {}
    void setCursorHeight(int32_t tenths) override
    {
        if (tenths < 0 || tenths > 10) fail("cursor height " + std::to_string(tenths));
    }
    void setDirectMode(bool) override {}
    void flush() override {}

private:
    void keep(std::string_view bytes)
    {
        out.append(bytes);
        if (out.size() > (1u << 20)) out.erase(0, out.size() - (1u << 16));
    }
};

bool isDigits(std::string_view s, bool sign)
{
    if (sign && !s.empty() && s[0] == '-') s.remove_prefix(1);
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool endsWith(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// The report's second line names a line of the program and shows a prefix of
// its stored text: "N shown" for a line numbered N >= 1, "I Line : shown" for
// the line at index I (one past the last after STOP).
void checkReportLine(std::string_view where, const ModelStore& m)
{
    size_t blank = where.find(' ');
    if (blank == std::string_view::npos || !isDigits(where.substr(0, blank), true))
        fail("report line without a number: " + std::string(where));
    long long n = std::atoll(std::string(where.substr(0, blank)).c_str());
    std::string_view rest = where.substr(blank + 1);
    const long long count = static_cast<long long>(m.lines.size()) - 1;
    auto shownIn = [&](const std::string& text, std::string_view shown) { return startsWith(text, shown); };
    if (startsWith(rest, "Line : ")) {
        std::string_view shown = rest.substr(7);
        if (n >= 1 && n <= count) {
            const ModelLine& l = m.lines[static_cast<size_t>(n)];
            if (l.number >= 1 || !shownIn(l.text, shown)) fail("report shows a line it did not run: " + std::string(where));
            return;
        }
        if (n != count + 1) fail("report names no line: " + std::string(where));
        if (shown.empty()) return;
        for (const ModelLine& l : m.lines)
            if (shownIn(l.text, shown)) return;
        fail("report after STOP shows no line's text: " + std::string(where));
    }
    auto it = m.indexByNumber.find(static_cast<int32_t>(n));
    bool found = false;
    // Any line with that number may be meant (only the last one is a jump
    // target, but the run may reach the others by falling through).
    for (size_t i = 1; i < m.lines.size(); ++i)
        if (m.lines[i].number == n && shownIn(m.lines[i].text, rest)) found = true;
    if (n < 1 || it == m.indexByNumber.end() || !found) fail("report names no such line: " + std::string(where));
}

void checkEnding(const std::string& out, const ModelStore& m)
{
    static const std::string TimeText = "\r\nPress Return To exit.  Time: ";
    size_t t = out.rfind(TimeText);
    if (t != std::string::npos && endsWith(out, " ms ")) {
        std::string_view ms = std::string_view(out).substr(t + TimeText.size());
        ms.remove_suffix(4);
        if (isDigits(ms, true)) return;
    }
    static const std::string ErrorEnd = "\r\nPress return to exit. ";
    if (!endsWith(out, ErrorEnd)) fail("the run ended without a report");
    std::string_view body = std::string_view(out).substr(0, out.size() - ErrorEnd.size());
    size_t lineStart = body.rfind("\r\n");
    if (lineStart == std::string_view::npos) fail("error report without its word");
    std::string_view head = body.substr(0, lineStart);
    if (!endsWith(head, "WHAT?") && !endsWith(head, "HOW?") && !endsWith(head, "SORRY"))
        fail("error report of an unknown kind");
    checkReportLine(body.substr(lineStart + 2), m);
}

int noticeCount = 0;
void countNotice(const std::string&) { ++noticeCount; }

// One private directory per process for the program file, removed at exit.
struct ProgramFile {
    std::string dir;
    std::string path;
    ProgramFile()
    {
        char name[] = "/tmp/atbasic_fuzz_XXXXXX";
        if (::mkdtemp(name) == nullptr) fail("no temporary directory");
        dir = name;
        path = dir + "/prog.bas";
    }
    ~ProgramFile()
    {
        std::remove(path.c_str());
        ::rmdir(dir.c_str());
    }
};

} // namespace

void checkLoad(std::string_view bytes)
{
    std::vector<std::string> raw = modelLines(bytes);
    ProgramStore store;
    int32_t count = 0;
    LoadResult r = storeProgram(bytes, store, count);
    if (static_cast<size_t>(count) != raw.size()) fail("line count");
    if (raw.size() > static_cast<size_t>(MaxLines)) {
        if (r != LoadResult::TooManyLines || store.lineCount != 0) fail("a long file was not refused");
        return;
    }
    if (r != LoadResult::Loaded || store.lineCount != count) fail("a short file was refused");
    ModelStore m = modelStore(raw);
    for (int32_t i = 1; i <= count; ++i) {
        const ModelLine& l = m.lines[static_cast<size_t>(i)];
        if (store.lineText[i] != l.text) fail("text of line " + std::to_string(i));
        if (store.lineNumber[i] != l.number) fail("number of line " + std::to_string(i));
        if (store.lineLength[i] != static_cast<int32_t>(l.text.size())) fail("length of line " + std::to_string(i));
    }
    for (auto [number, index] : m.indexByNumber) {
        if (store.lineIndexByNumber.find(number) != index) fail("index of number " + std::to_string(number));
        int32_t next = static_cast<int32_t>(static_cast<uint32_t>(number) + 1u);
        if (m.indexByNumber.count(next) == 0 && store.lineIndexByNumber.find(next) != 0)
            fail("a number no line bears was found");
    }
}

namespace {

struct RunResult {
    std::string out;
    bool budgetSpent = false;
    int notices = 0;
    size_t messages = 0;
    std::vector<std::string> sound, media;
    bool operator==(const RunResult&) const = default;
};

// One session on fresh fake services.
RunResult runOnce(const std::string& path, const std::deque<std::string>& typed, bool keyDown)
{
    BoundedConsole console;
    console.typed = typed;
    FakeKeyboard keyboard;
    keyboard.noMoreKeys = true;  // WAIT(0) ends instead of waiting for ever
    if (keyDown) keyboard.down = {30};
    FakeClock clock;
    FakeRandom random;
    FakeSound sound;
    FakeMedia media;
    FakeDialogs dialogs;
    Platform platform{console, keyboard, clock, random, sound, media, dialogs};

    SessionSetup setup;
    setup.args = {"atbasic", path};
    setup.workingDirectory = "/nonexistent/";
    setup.notice = &countNotice;
    setup.jumpBudget = 500;
    noticeCount = 0;
    RunResult r;
    try {
        runSession(platform, setup);
    } catch (const JumpBudgetSpent&) {
        r.budgetSpent = true;
    }
    r.out = std::move(console.out);
    r.notices = noticeCount;
    r.messages = dialogs.messages.size();
    r.sound = std::move(sound.calls);
    r.media = std::move(media.calls);
    return r;
}

} // namespace

void checkRun(std::string_view bytes)
{
    static ProgramFile file;
    std::string_view program = bytes;
    std::deque<std::string> typed;
    size_t sep = bytes.rfind('\x1e');
    if (sep != std::string_view::npos) {
        program = bytes.substr(0, sep);
        std::string_view rest = bytes.substr(sep + 1);
        while (!rest.empty()) {
            size_t lf = rest.find('\n');
            typed.emplace_back(rest.substr(0, lf));
            rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
        }
    } else {
        typed = {"12", "b", "YES", "ZERO", "-$7fffffff", "%101", "", "2147483648", " - 5", "z"};
    }
    std::FILE* f = std::fopen(file.path.c_str(), "wb");
    if (f == nullptr || std::fwrite(program.data(), 1, program.size(), f) != program.size() || std::fclose(f) != 0)
        fail("cannot write the program file");

    bool keyDown = program.size() % 2 != 0;  // "A" held on odd sizes
    RunResult first = runOnce(file.path, typed, keyDown);
    // Every table lives in the interpreter: a second run in the same process
    // on the same services must do exactly the same.
    if (!(runOnce(file.path, typed, keyDown) == first)) fail("a second run did something else");
    if (first.messages != 0) fail("the program file was not found");
    std::vector<std::string> raw = modelLines(program);
    if (raw.size() > static_cast<size_t>(MaxLines)) {
        if (first.notices != 1 || !first.out.empty()) fail("a long file was run");
        return;
    }
    if (first.notices != 0) fail("a notice for a file that fits");
    if (!first.budgetSpent) checkEnding(first.out, modelStore(raw));
}

} // namespace atb::fuzz
