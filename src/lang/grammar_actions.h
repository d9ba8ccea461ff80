#pragma once

#include <string_view>

namespace tally {

// The nine kinds of text the colouring reader marks.
enum class TextClass {
    Normal,
    Identifier,
    Function,
    Number,
    UnitOfMeasure,
    Comment,
    Operator,
    Bracket,
    SyntaxError
};
inline constexpr int kTextClassCount = 9;

// The binary operators: "+", "-", "*" or "·", "/", "^", "\" (integer quotient) and ":"
// (remainder).
enum class BinaryOperator { Add, Subtract, Multiply, Divide, Power, Quotient, Remainder };

// Every hook the grammar calls, as no-ops. A policy derives from this and hides the hooks
// it needs; the grammar is a template over the policy, so unused hooks cost nothing.
// Positions are 1-based indexes of the character under the cursor.
struct GrammarActions {
    double scratchValue = 0;
    double& currentValue() { return scratchValue; }

    // Evaluation.
    void beginStatement(int /*part*/) {}
    void markEquals() {}
    double endExpression() { return 0; }
    void storeAns() {}
    void pushValue(double /*value*/) {}
    void negate() {}
    void factorial() {}
    void percent() {}
    void applyOperator(BinaryOperator /*op*/) {}
    void beginName(int /*position*/) {}
    // The name just read, as it stands in the text.
    double lookupName(std::u16string_view /*name*/) { return 0; }
    void resolveUnitName() {}
    void beginUnit() {}
    void endUnit() {}
    void beginArguments() {}
    void beginAbs() {}
    double callFunction() { return 0; }
    void beginArgumentText(int /*position*/) {}
    void nextArgumentText(int /*position*/) {}
    void endArgumentText(std::u16string_view /*text*/, int /*position*/) {}
    void emptyArgument() {}
    void beginNamedArgument() {}
    void endNamedArgument() {}
    // The literal just pushed had a minus sign written directly before it.
    void minusBeforeLiteral() {}
    // Brackets of every reader running at once share one budget, so that nested
    // evaluations cannot exhaust the machine stack.
    bool enterBracket() { return true; }
    void leaveBracket() {}

    // Colouring.
    void markClass(TextClass /*textClass*/, int /*position*/) {}
    void markNameStart(int /*position*/) {}
    void markFunctionName() {}
    void flushMark(int /*position*/) {}
    void openUnitMark(int /*position*/) {}
    void closeUnitMark(int /*position*/) {}
    void argumentsOpened() {}
    void argumentsClosed() {}
    void nameWithoutArguments() {}
};

}  // namespace tally
