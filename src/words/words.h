// The actions of the built-in words. Each gives the word's value or raises
// How before it changes anything.
#pragma once

#include "interp/interpreter.h"

namespace atb {

// Numeric words.
int32_t wordAbs(int32_t x);
int32_t wordSgn(int32_t x);
int32_t wordRnd(Interpreter& in, int32_t x);

// Data stack words.
int32_t wordPush(Interpreter& in, int32_t v);
int32_t wordPoke(Interpreter& in, int32_t v);
int32_t wordPop(Interpreter& in);
int32_t wordPeek(Interpreter& in);
int32_t wordStpt(Interpreter& in, int32_t i);
int32_t wordSwap(Interpreter& in);
int32_t wordDup(Interpreter& in);
int32_t wordDrop(Interpreter& in);
int32_t wordOver(Interpreter& in);
int32_t wordRot(Interpreter& in);
int32_t wordPick(Interpreter& in, int32_t n);
int32_t wordArithmetic(Interpreter& in, int32_t code);  // ADD SUB MUL DIV MOD
int32_t wordStcl(Interpreter& in);
int32_t wordList(Interpreter& in);
int32_t wordDigi(Interpreter& in, int32_t n);

// Array block words.
int32_t wordShuf(Interpreter& in, int32_t n);
int32_t wordSort(Interpreter& in, int32_t n);
int32_t wordFind(Interpreter& in, int32_t v);
int32_t wordFull(Interpreter& in, int32_t n);
int32_t wordPutDigits(Interpreter& in, int32_t code, int32_t v);  // PUTO PUTQ PUTT

// Console, keyboard and timing words.
int32_t wordCls(Interpreter& in);
int32_t wordLoc(Interpreter& in, int32_t n);
int32_t wordCol(Interpreter& in, int32_t n);
int32_t wordPutc(Interpreter& in, int32_t n);
int32_t wordTab(Interpreter& in, int32_t n);
int32_t wordCurh(Interpreter& in, int32_t n);
int32_t wordBeep(Interpreter& in);
int32_t wordWait(Interpreter& in, int32_t n);
int32_t wordVkey(Interpreter& in, int32_t n);
int32_t wordTime(Interpreter& in);
void fillKeyScanMap(Interpreter& in);

// Media words.
int32_t wordWav(Interpreter& in, int32_t n);
int32_t wordBgm(Interpreter& in, int32_t n);
int32_t wordPlay(Interpreter& in, int32_t n);

} // namespace atb
