// Assignments: LET, its abbreviations, and statements with no word.
#include "expr/eval.h"

namespace atb {

int32_t evalAfterEquals(Interpreter& in)
{
    expectChar(in, '=');
    return evalExpression(in);
}

static void parseAssignment(Interpreter& in)
{
    // The @ index is evaluated, and tested, before the value.
    int32_t index = readAtIndex(in);
    if (index != None) {
        in.atArray[index] = evalAfterEquals(in);
        return;
    }
    int32_t letter = readVariableLetter(in);
    if (letter == None) raiseError(ErrorKind::What);
    in.variables[letter] = evalAfterEquals(in);
}

void doLet(Interpreter& in)
{
    parseAssignment(in);
    while (in.cursor.here() == ',') {
        ++in.cursor.pos;
        parseAssignment(in);
    }
}

} // namespace atb
