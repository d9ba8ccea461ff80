#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "engine/call_stack.h"
#include "engine/engine_settings.h"
#include "engine/engine_tables.h"
#include "engine/line_result.h"
#include "engine/operand_stack.h"
#include "engine/unit_value_cache.h"
#include "lang/grammar_actions.h"

namespace tally {

class FunctionCall;
class GrammarVariant;

// Evaluates while the grammar reads: the action policy of the evaluating readers. It holds
// the state of the line being calculated (operand and call stacks, names read so far, unit
// brackets, nesting) and works on the engine's long-lived tables. Failures never throw: they
// leave an error for the line.
class LineEvaluator : public GrammarActions {
  public:
    static constexpr int kNestingLimit = 256;
    static constexpr int kBracketBudget = 1024;
    static constexpr double kSolverTolerance = 1e-10;

    LineEvaluator(EngineTables& tables, const EngineSettings& settings)
        : m_tables(tables), m_settings(settings) {}

    void evaluateLine(std::u16string_view line, LineResult& result);
    ExpressionResult evaluateExpression(std::u16string_view text);
    // True while a line is being evaluated: a second calculation must wait.
    bool calculating() const { return m_calculating; }

    // Grammar actions; their order and meaning are the language's.
    double& currentValue() { return m_currentValue; }
    void beginStatement(int part);
    void markEquals() { m_flags.equalsAtEnd = true; }
    double endExpression();
    void storeAns();
    void pushValue(double value) {
        // A finite plain number, the commonest operand, goes on the stack at once.
        if (m_carriedDimension.empty() && m_pendingBaseUnit == 0 && std::isfinite(value)) {
            m_stack.pushNew().value = value;
            return;
        }
        pushQuantity(value);
    }
    void negate();
    void factorial();
    void percent();
    void applyOperator(BinaryOperator op);
    void beginName(int position);
    double lookupName(std::u16string_view name);
    void resolveUnitName();
    void beginUnit();
    void endUnit();
    void beginArguments();
    void beginAbs();
    double callFunction();
    void beginArgumentText(int position);
    void nextArgumentText(int position) { m_calls.frame().argumentStart = position; }
    void endArgumentText(std::u16string_view text, int position);
    void emptyArgument() { m_calls.frame().pendingEmpty = true; }
    void beginNamedArgument();
    void endNamedArgument();
    // A scale conversion of this literal applies the sign first: -40[°C] is 233.15 К.
    void minusBeforeLiteral() {
        markUnrepeatable();
        m_signedLiteralHeight = m_stack.height();
    }
    bool enterBracket();
    void leaveBracket() { --m_openBrackets; }

    // What the function families use.
    EngineTables& tables() { return m_tables; }
    const EngineSettings& settings() const { return m_settings; }
    OperandStack& operandStack() { return m_stack; }
    // Records a failure of the line (see laterError for which one stays).
    void setError(EngineError error) {
        markUnrepeatable();
        m_error = laterError(m_error, error);
    }
    void setResultNote(std::u16string note) { m_resultNote = std::move(note); }
    double angleFactor() const;
    bool isFunctionDefinition() const { return m_flags.isFunctionDefinition; }
    // The expression text with every whole-name occurrence of the bound variable's name
    // marked as the bound variable.
    std::u16string rewriteBoundVariable(std::u16string_view text, EntryRef bound) const;
    // Stores t (1e-100 instead of 0, so that sin(x)/x can be evaluated at 0) in the bound
    // entry and evaluates the text. A counted evaluation forgets its own failures (one bad
    // point does not end a solver) and shows progress every 1000 evaluations.
    double evaluateAt(std::u16string_view text, EntryRef bound, double t, bool counted);
    // The line is being abandoned (nesting limit or cancellation): long loops stop.
    bool unwinding() const { return m_unwinding; }
    bool nameTracking() const { return m_nameTracking; }
    void setNameTracking(bool on) { m_nameTracking = on; }
    // The abscissa YPlot uses: the latest trial value of a loop or solver.
    double plotX() const { return m_plotX; }

  private:
    // The dimension of `left` op `right` (whose value is `rightValue`), into `left`.
    void combineDimensions(BinaryOperator op, DimensionVector& left, DimensionVector& right,
                           double rightValue);
    // A step whose effects a cached unit value would not repeat.
    void markUnrepeatable() { ++m_unrepeatableSteps; }
    // Pushes a value with the dimension carried or opened for it; an overflow pushes 0.
    void pushQuantity(double value);
    void repeatUnitValue(const CachedUnitValue& cached);
    void startCalculation();
    void clearStatementState();
    void clearLiteralFlags();
    void track(EntryRef entry, bool insideUnit);
    void trimArguments(int count);
    void dropCallFrame();
    double callBuiltIn(Function function);
    double callUserFunction(int number);
    // Evaluates a nested text; false when it had a syntax error (the stack is then as
    // before and the message is kept) or the line is unwinding.
    bool evaluateNested(std::u16string_view text);
    // Unit brackets: a unit that multiplies, converts the value before the bracket, or is
    // a factor of a compound bracket.
    void resolveUnitFactor(int record, std::u16string_view definition, std::u16string_view name);
    void convertScale(std::u16string_view definition);
    void resolveScaleFactor(std::u16string_view definition);
    void resolveWithDefinition(std::u16string_view definition);

    EngineTables& m_tables;
    const EngineSettings& m_settings;
    // The grammars of calculation lines and of stored texts, looked up on first use (building
    // them is part of the first calculation, not of start-up).
    const GrammarVariant* m_lineGrammar = nullptr;
    const GrammarVariant* m_storedGrammar = nullptr;
    OperandStack m_stack;
    CallStack m_calls;
    int m_evaluationCount = 0;
    double m_plotX = 0;

    double m_currentValue = 0;
    EngineError m_error = EngineError::None;
    std::u16string m_resultNote;
    std::u16string m_nestedParseMessage;
    StatementFlags m_flags;
    double m_leftValue = 0;
    DimensionVector m_carriedDimension;
    DimensionVector m_resultDimension;
    int m_pendingBaseUnit = 0;

    // Name bookkeeping of the current side of the line.
    std::u16string m_name;
    bool m_nameTracking = true;
    int m_nameCount = 0;
    int m_operationCount = 0;
    EntryRef m_firstName;
    EntryRef m_firstCall;
    std::vector<std::u16string> m_firstCallArguments;
    bool m_firstCallRecorded = false;
    EntryRef m_currentEntry;
    bool m_assignmentPending = false;
    bool m_lineHasExpression = false;

    // Unit brackets.
    int m_unitDepth = 0;
    int m_unitBaseHeight = 0;
    bool m_unitFactorPushed = false;
    bool m_conversionAllowed = true;
    int m_signedLiteralHeight = 0;
    int m_negationTakenAtHeight = 0;
    // What unit definitions evaluated to, and what tells whether an evaluation may be kept:
    // the count of steps it could not repeat, of operators applied, and the deepest nesting
    // and bracket count reached.
    UnitValueCache m_unitValues;
    int m_unrepeatableSteps = 0;
    int m_operatorsApplied = 0;
    int m_peakNesting = 0;
    int m_peakBrackets = 0;

    // Nesting of evaluations and brackets; once the limit is hit the rest of the line
    // unwinds without further work.
    int m_nestingDepth = 0;
    int m_openBrackets = 0;
    bool m_unwinding = false;
    int m_readingExpressions = 0;
    bool m_calculating = false;
};

}  // namespace tally
