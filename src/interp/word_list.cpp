// The vocabulary is data: a coded word list read into the maps at start-up.
#include "interp/interpreter.h"

#include <string_view>

namespace atb {

namespace {

// Statement words (two-digit codes), built-in words (three digits) and
// relation words (one digit), in the list's order.
constexpr std::string_view WordList[] = {
    "01'",     "01REMARK", "01REM",                                           //
    "02F.",    "02FO.",    "02FOR",                                           //
    "03G.",    "03GO.",    "03GOT.",   "03GOTO",                              //
    "04GOS.",  "04GOSU.",  "04GOSUB",                                         //
    "05I.",    "05IF",                                                        //
    "06IN.",   "06INP.",   "06INPU.",  "06INPUT",                             //
    "07L.",    "07LE.",    "07LET",    "07_",                                 //
    "08.",     "08N.",     "08NE.",    "08NEX.",   "08NEXT",                  //
    "09?",     "09P.",     "09PR.",    "09PRI.",   "09PRIN.", "09PRINT",      //
    "10R.",    "10RE.",    "10RET.",   "10RETU.",  "10RETUR.", "10RETURN",    //
    "11S.",    "11ST.",    "11STO.",   "11STOP",   "11E.",    "11EN.", "11END",
    "501ABS",  "501A.",    "501AB.",   "502RND",   "502R.",   "502RN.",
    "003SIZE", "003S.",    "003SI.",   "003SIZ.",  "504SHUF", "005CLS",
    "506PUTC", "507LOC",   "508COL",   "509TAB",   "510SORT", "542VKEY",
    "512SGN",  "513WAIT",  "514PUSH",  "015POP",   "016SWAP", "517STPT",
    "018BEEP", "519WAV",   "020DUP",   "021DROP",  "022OVER", "023ROT",
    "524DIGI", "025ADD",   "026SUB",   "027MUL",   "028DIV",  "029MOD",
    "030LIST", "531FIND",  "032STCL",  "533POKE",  "034PEEK", "535PUTO",
    "536PUTQ", "537PUTT",  "538BGM",   "539CURH",  "540FULL", "541PICK",
    "543PLAY", "035TIME",
    "1>",      "2<",       "3=",       "4>=",      "5<=",     "6<>",   "6#",
};
constexpr int StatementEntries = 47;
constexpr int FunctionEntries = 50;
constexpr int RelationEntries = 7;
static_assert(std::size(WordList) == StatementEntries + FunctionEntries + RelationEntries);

// The handlers in the order of their codes 1 to 11.
constexpr StatementHandler StatementHandlers[] = {
    doRem, doFor, doGoto, doGosub, doIf, doInput, doLet, doNext, doPrint, doReturn, doStop,
};

int32_t decimalPrefix(std::string_view entry, int digits)
{
    int32_t v = 0;
    for (int i = 0; i < digits; ++i) v = v * 10 + (entry[i] - '0');
    return v;
}

} // namespace

void buildWordMaps(Interpreter& in)
{
    int i = 0;
    for (; i < StatementEntries; ++i)
        in.statementWords.set(WordList[i].substr(2), {decimalPrefix(WordList[i], 2), nullptr});
    for (; i < StatementEntries + FunctionEntries; ++i)
        in.functionWords.set(WordList[i].substr(3), decimalPrefix(WordList[i], 3));
    for (; i < StatementEntries + FunctionEntries + RelationEntries; ++i)
        in.relationWords.set(WordList[i].substr(1), decimalPrefix(WordList[i], 1));
}

void installHandlers(Interpreter& in)
{
    for (int code = 1; code <= 11; ++code) in.statementHandlers[code] = StatementHandlers[code - 1];
    in.statementWords.forEach([&](StatementEntry& e) { e.handler = in.statementHandlers[e.code]; });
}

} // namespace atb
