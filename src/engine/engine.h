#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/call_stack.h"
#include "engine/dimension.h"
#include "engine/interfaces.h"
#include "engine/operand_stack.h"
#include "engine/random_generator.h"
#include "engine/user_function_table.h"
#include "engine/variable_table.h"

namespace tally {

class FunctionCall;

// What the parse of a line tells the document driver.
struct StatementFlags {
    bool equalsAtEnd = false;
    bool isComparison = false;
    bool isPlainAssignment = false;
    bool isBareLiteral = false;
    bool isFunctionDefinition = false;
    bool assignmentDone = false;
};

// A unit record: its definition text and its name.
struct UnitRecord {
    std::u16string definition;
    std::u16string name;
    // Whether the unit opens a base unit of its own (a name defined by a plain number),
    // worked out on first use.
    std::optional<bool> opensBaseUnit;
};

// The evaluation engine: the context object that owns every table and every piece of
// calculation state. The readers of the language call its operations while they parse;
// failures never throw: they leave a message in engineError().
class Engine {
  public:
    static constexpr int kNestingLimit = 256;
    static constexpr int kBracketBudget = 1024;
    static constexpr double kPi = 3.14159265358979;
    static constexpr double kE = 2.71828182845905;

    Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Settings the calculations depend on.
    bool useDimensions() const { return m_useDimensions; }
    void setUseDimensions(bool on) { m_useDimensions = on; }
    // The angle setting: radians exactly when it is "Радианы".
    const std::u16string& angleMode() const { return m_angleMode; }
    void setAngleMode(std::u16string mode) { m_angleMode = std::move(mode); }
    bool radians() const { return m_angleMode == u"Радианы"; }
    void setEventPump(EventPump* pump) { m_eventPump = pump; }
    void setProgressSink(ProgressSink* progress) { m_progress = progress; }
    void setPlotSink(PlotSink* plot) { m_plot = plot; }
    PlotSink* plotSink() const { return m_plot; }
    static constexpr double kSolverTolerance = 1e-10;

    // Reads and evaluates one calculation line; returns the syntax error message.
    std::u16string parseCalc(std::u16string_view line);
    // Evaluates a stored expression on top of the current stack; returns the syntax error
    // message. May be entered again while it runs.
    std::u16string parseUserExpression(std::u16string_view text);
    // True while a line is being evaluated: a second calculation must wait.
    bool calculating() const { return m_calculating; }

    // State the driver reads after a parse.
    double& currentValue() { return m_currentValue; }
    const std::u16string& engineError() const { return m_engineError; }
    void clearEngineError() { m_engineError.clear(); }
    // Records a failure. A message that stops the line replaces an earlier dimension
    // mismatch (which alone does not stop it); otherwise the first message of the line stays.
    void setError(std::u16string_view message);
    const std::u16string& resultNote() const { return m_resultNote; }
    void setResultNote(std::u16string note) { m_resultNote = std::move(note); }
    void clearResultNote() { m_resultNote.clear(); }
    const std::u16string& nestedParseMessage() const { return m_nestedParseMessage; }
    void clearNestedParseMessage() { m_nestedParseMessage.clear(); }
    StatementFlags& flags() { return m_flags; }
    double leftValue() const { return m_leftValue; }
    EntryRef assignedEntry() const { return m_firstName; }
    // The entry and argument texts of the line's first call, which a definition line
    // turns into a user function.
    EntryRef firstCall() const { return m_firstCall; }
    const std::vector<std::u16string>& firstCallArguments() const { return m_firstCallArguments; }
    void clearOperandStack() { m_stack.clear(); }
    double ans() const { return m_variables[m_ansEntry].value; }
    void setAns(double value) { m_variables[m_ansEntry].value = value; }

    // Tables.
    VariableTable& variables() { return m_variables; }
    const VariableTable& variables() const { return m_variables; }
    OperandStack& operandStack() { return m_stack; }
    std::vector<BaseUnit>& baseUnits() { return m_baseUnits; }
    const std::vector<BaseUnit>& baseUnits() const { return m_baseUnits; }
    UserFunctionTable& userFunctions() { return m_userFunctions; }
    const std::vector<UnitRecord>& units() const { return m_units; }
    // Adds a unit record reached through the marker 14 + name; returns its number.
    int addUnit(std::u16string name, std::u16string definition);
    void replaceUnit(int record, std::u16string name, std::u16string definition);
    // The symbol-table entry of a unit name (exact case), if any.
    EntryRef findUnitEntry(std::u16string_view name) const;
    // While unit lines are registered, names are matched exactly and start at 1.
    void setDefiningUnits(bool on) { m_definingUnits = on; }
    int unitCount() const { return static_cast<int>(m_units.size()); }
    RandomGenerator& randomGenerator() { return m_random; }

    // Defines or replaces a user function under `name`; returns false when the name
    // denotes something that cannot become a user function (a built-in, a reserved name,
    // a unit).
    bool defineUserFunction(std::u16string_view name, std::vector<std::u16string> parameters,
                            std::u16string body);
    // The entry of a name outside unit brackets, if it exists.
    EntryRef findName(std::u16string_view name) const;

    // Operations the grammar calls (their order and meaning are the language's).
    void beginStatement(int part);
    void markEquals() { m_flags.equalsAtEnd = true; }
    double endExpression();
    void storeAns();
    void pushValue(double value);
    void negate();
    void factorial();
    void percent();
    void applyOperator(int code);
    void beginName();
    void appendNameChar(char16_t unit) { m_name.push_back(unit); }
    double lookupName();
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
    void minusBeforeLiteral() { m_signedLiteralHeight = m_stack.height(); }
    bool enterBracket();
    void leaveBracket() { --m_openBrackets; }

    // Helpers of the function families.
    bool requireArguments(int count);
    void trimArguments(int count);
    void dropCallFrame();
    // The expression text with every whole-name occurrence of the bound variable's name
    // marked as the bound variable.
    std::u16string rewriteBoundVariable(std::u16string_view text, EntryRef bound) const;
    double angleFactor() const { return radians() ? 1.0 : kPi / 180.0; }

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
    void track(EntryRef entry, bool insideUnit);
    void clearLiteralFlags();
    void clearStatementState();
    void startCalculation();
    void refreshBaseUnitScales();
    double callBuiltIn(int number);
    double callUserFunction(int record);
    EntryRef parameterEntry(int i);
    double compute(FunctionCall& call);
    // Evaluates a nested text; false when it had a syntax error (the stack is then as
    // before and the message is kept).
    bool evaluateNested(std::u16string_view text);
    bool unitNameIsIdentifier(std::u16string_view name) const;
    void resolveWithDefinition(std::u16string_view definition);

    VariableTable m_variables;
    OperandStack m_stack;
    CallStack m_calls;
    UserFunctionTable m_userFunctions;
    std::vector<BaseUnit> m_baseUnits;
    std::vector<EntryRef> m_baseUnitEntries;
    std::vector<UnitRecord> m_units;
    RandomGenerator m_random;
    std::size_t m_unitsAtLastScan = 0;

    bool m_useDimensions = true;
    std::u16string m_angleMode = u"Радианы";
    EventPump* m_eventPump = nullptr;
    ProgressSink* m_progress = nullptr;
    PlotSink* m_plot = nullptr;
    int m_evaluationCount = 0;
    double m_plotX = 0;

    double m_currentValue = 0;
    std::u16string m_engineError;
    std::u16string m_resultNote;
    std::u16string m_nestedParseMessage;
    StatementFlags m_flags;
    double m_leftValue = 0;
    DimensionVector m_carriedDimension;
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
    bool m_definingUnits = false;

    // Unit brackets.
    int m_unitDepth = 0;
    int m_unitBaseHeight = 0;
    bool m_unitFactorPushed = false;
    bool m_conversionAllowed = true;
    int m_signedLiteralHeight = 0;
    int m_negationTakenAtHeight = 0;

    // Nesting of evaluations and brackets; once the limit is hit the rest of the line
    // unwinds without further work.
    int m_nestingDepth = 0;
    int m_openBrackets = 0;
    bool m_unwinding = false;
    int m_readingExpressions = 0;
    bool m_calculating = false;

    EntryRef m_ansEntry;
    EntryRef m_absEntry;
    std::vector<EntryRef> m_parameterEntries;
};

}  // namespace tally
