#include "engine/engine.h"

#include <cmath>

#include "engine/checked_math.h"
#include "engine/evaluation_actions.h"
#include "engine/factorial.h"
#include "engine/function_table.h"
#include "engine/messages.h"
#include "lang/grammar.h"

namespace tally {

// Start-up registration: the built-in functions under -number, the reserved names, the
// bound-variable marker and the unit "pi" as unit record 1.
Engine::Engine() : m_baseUnits(initialBaseUnits()), m_baseUnitEntries(m_baseUnits.size()) {
    for (const FunctionSpec& spec : functionTable()) {
        EntryRef ref = m_variables.append(spec.name, 0, -spec.number);
        if (spec.number == fn::kAbs) m_absEntry = ref;
    }
    m_ansEntry = m_variables.append(u"Ans", 0, code::kAns);
    m_variables.append(u"pi", kPi, code::kPi);
    m_variables.append(u"e", kE, code::kE);
    m_variables.append(std::u16string(1, kBoundMarker), 0, code::kVariable);
    addUnit(u"pi", u"3.14159265358979");
}

int Engine::addUnit(std::u16string name, std::u16string definition) {
    m_units.push_back({std::move(definition), name, std::nullopt});
    int record = static_cast<int>(m_units.size());
    m_variables.append(kUnitMarker + name, 1, code::unitRecord(record));
    return record;
}

void Engine::replaceUnit(int record, std::u16string name, std::u16string definition) {
    m_units[static_cast<std::size_t>(record - 1)] = {std::move(definition), std::move(name),
                                                     std::nullopt};
}

EntryRef Engine::findUnitEntry(std::u16string_view name) const {
    std::u16string marked(1, kUnitMarker);
    marked += name;
    return m_variables.find(marked, VariableTable::Match::Exact);
}

EntryRef Engine::findName(std::u16string_view name) const {
    return m_variables.find(name, VariableTable::Match::IgnoreCase);
}

void Engine::setError(std::u16string_view message) {
    if (m_engineError.empty() ||
        (m_engineError == message::kDimensionMismatch && message != message::kDimensionMismatch)) {
        m_engineError = message;
    }
}

// A calculation from outside starts with no nesting, no open brackets and nothing to
// unwind.
void Engine::startCalculation() {
    m_calculating = true;
    m_nestingDepth = 0;
    m_openBrackets = 0;
    m_unwinding = false;
    m_readingExpressions = 0;
}

std::u16string Engine::parseCalc(std::u16string_view line) {
    startCalculation();
    // Every line starts clean, also one that begins with "=" and so never reaches the
    // grammar's own reset: nothing of the previous line may be assigned to.
    clearStatementState();
    EvaluationActions actions(*this);
    Grammar<EvaluationActions> grammar(GrammarVariant::calc(), actions);
    std::u16string message = grammar.parse(line);
    m_calculating = false;
    return message;
}

std::u16string Engine::parseUserExpression(std::u16string_view text) {
    bool outermost = !m_calculating;
    if (outermost) startCalculation();
    if (!evaluateNested(text) && m_nestedParseMessage.empty()) {
        m_nestedParseMessage = std::u16string(message::kOverflow);
    }
    if (outermost) m_calculating = false;
    std::u16string message = std::move(m_nestedParseMessage);
    m_nestedParseMessage.clear();
    return message;
}

bool Engine::evaluateNested(std::u16string_view text) {
    if (m_unwinding) return false;
    if (m_nestingDepth >= kNestingLimit) {
        setError(message::kOverflow);
        m_unwinding = true;
        return false;
    }
    int height = m_stack.height();
    int kinds = m_calls.kindDepth();
    int frames = m_calls.frameDepth();
    int readingExpressions = m_readingExpressions;
    // The text may belong to a record that the evaluation itself replaces.
    std::u16string copy(text);
    ++m_nestingDepth;
    EvaluationActions actions(*this);
    Grammar<EvaluationActions> grammar(GrammarVariant::parsUsFunc(), actions);
    std::u16string message = grammar.parse(copy);
    --m_nestingDepth;
    if (message.empty()) return !m_unwinding;
    if (m_nestedParseMessage.empty()) m_nestedParseMessage = std::move(message);
    m_stack.popTo(height);
    m_calls.truncate(kinds, frames);
    m_readingExpressions = readingExpressions;
    return false;
}

double Engine::evaluateAt(std::u16string_view text, EntryRef bound, double t, bool counted) {
    m_nameTracking = false;
    if (t == 0) t = 1e-100;
    m_variables[bound].value = t;
    m_plotX = t;
    std::u16string error = m_engineError;
    evaluateNested(text);
    if (counted) {
        m_engineError = std::move(error);
        ++m_evaluationCount;
        if (m_progress && m_evaluationCount % 1000 == 0) {
            m_progress->showEvaluationCount(m_evaluationCount);
        }
    }
    if (m_eventPump) {
        m_eventPump->processEvents();
        if (!m_unwinding && m_eventPump->cancelRequested()) {
            setError(message::kInvalidArgument);
            m_unwinding = true;
        }
    }
    return m_currentValue;
}

bool Engine::enterBracket() {
    if (m_openBrackets >= kBracketBudget) return false;
    ++m_openBrackets;
    return true;
}

void Engine::refreshBaseUnitScales() {
    // Base units gain their table entries when units are registered; look them up again
    // only then.
    if (m_baseUnitEntries.size() != m_baseUnits.size() || m_unitsAtLastScan != m_units.size()) {
        m_baseUnitEntries.resize(m_baseUnits.size());
        for (std::size_t i = 0; i < m_baseUnits.size(); ++i) {
            if (m_baseUnitEntries[i].valid()) continue;
            m_baseUnitEntries[i] =
                m_variables.find(kUnitMarker + m_baseUnits[i].symbol, VariableTable::Match::Exact);
        }
        m_unitsAtLastScan = m_units.size();
    }
    for (std::size_t i = 0; i < m_baseUnits.size(); ++i) {
        m_baseUnits[i].resultExponent = 0;
        if (m_baseUnitEntries[i].valid())
            m_baseUnits[i].scale = m_variables[m_baseUnitEntries[i]].value;
    }
}

void Engine::beginStatement(int part) {
    if (part == 1) {
        m_unitDepth = 0;
        refreshBaseUnitScales();
        m_conversionAllowed = true;
        m_stack.clear();
        m_calls.clear();
        m_readingExpressions = 0;
        clearStatementState();
        m_lineHasExpression = true;
        m_carriedDimension.clear();
        m_pendingBaseUnit = 0;
        m_evaluationCount = 0;
        m_signedLiteralHeight = 0;
        m_negationTakenAtHeight = 0;
        return;
    }
    // After "=": one name on the left makes an assignment to it; anything else compares
    // the two sides, and a left side of exactly one call defines a user function.
    m_lineHasExpression = true;
    m_leftValue = m_currentValue;
    m_flags.equalsAtEnd = false;
    if (m_nameCount == 1 && m_firstName.valid()) {
        m_assignmentPending = true;
        m_flags.isPlainAssignment = true;
    } else {
        m_flags.isComparison = true;
        if (m_firstCall.valid() && m_operationCount == 1) m_flags.isFunctionDefinition = true;
    }
}

void Engine::clearStatementState() {
    m_operationCount = 0;
    m_nameCount = 0;
    m_flags = {};
    m_flags.isBareLiteral = true;
    m_lineHasExpression = false;
    m_assignmentPending = false;
    m_firstName = {};
    m_firstCall = {};
    m_firstCallArguments.clear();
    m_firstCallRecorded = false;
    m_nameTracking = true;
}

void Engine::clearLiteralFlags() {
    m_flags.isBareLiteral = false;
    m_flags.isPlainAssignment = false;
}

void Engine::pushValue(double value) {
    if (!std::isfinite(value)) {
        setError(message::kOverflow);
        value = 0;
    }
    OperandLevel level;
    level.value = value;
    if (m_useDimensions) {
        level.dimension = std::move(m_carriedDimension);
        if (m_pendingBaseUnit > 0) {
            auto k = static_cast<std::size_t>(m_pendingBaseUnit);
            if (level.dimension.size() < k) level.dimension.resize(k, 0);
            level.dimension[k - 1] = 1;
        }
    }
    m_carriedDimension.clear();
    m_pendingBaseUnit = 0;
    m_stack.push(std::move(level));
}

void Engine::negate() {
    m_signedLiteralHeight = 0;
    if (m_stack.empty()) return;
    if (m_negationTakenAtHeight == m_stack.height()) {
        m_negationTakenAtHeight = 0;
        return;
    }
    m_stack.top().value = -m_stack.top().value;
}

void Engine::percent() {
    m_resultNote.clear();
    clearLiteralFlags();
    if (!m_stack.empty()) m_stack.top().value *= 0.01;
}

void Engine::factorial() {
    m_resultNote.clear();
    clearLiteralFlags();
    if (m_stack.empty()) return;
    std::optional<double> product = factorialOf(m_stack.top().value);
    if (!product) {
        setError(message::kOverflow);
        return;
    }
    m_stack.top().value = *product;
}

namespace {

// The value of a binary operation, or nothing on an arithmetic fault.
std::optional<double> operate(int code, double l, double r) {
    Faults f;
    double result = 0;
    switch (code) {
        case 1:
            result = f.check(l + r);
            break;
        case 2:
            result = f.check(l - r);
            break;
        case 3:
            result = f.check(l * r);
            break;
        case 4:
            result = f.divide(l, r);
            break;
        case 5:
            result = f.power(l, r);
            break;
        case 6:
        case 7: {
            std::int64_t a = f.roundToInt32(l);
            std::int64_t b = f.roundToInt32(r);
            if (b == 0) f.raise();
            if (f.raised()) return std::nullopt;
            // Truncating division; the remainder takes the dividend's sign.
            std::int64_t value = code == 6 ? a / b : a % b;
            if (value > INT32_MAX) f.raise();
            result = static_cast<double>(value);
            break;
        }
        default:
            f.raise();
    }
    if (f.raised()) return std::nullopt;
    return result;
}

}  // namespace

void Engine::applyOperator(int code) {
    m_resultNote.clear();
    if (m_nameTracking) ++m_operationCount;
    if (m_unitDepth == 0 && !m_definingUnits) clearLiteralFlags();
    if (m_stack.height() < 2) return;
    OperandLevel right = std::move(m_stack.top());
    m_stack.pop();
    OperandLevel& left = m_stack.top();
    std::optional<double> value = operate(code, left.value, right.value);
    if (!value) {
        setError(message::kOverflow);
        return;
    }
    left.value = *value;
    if (!m_useDimensions) return;
    switch (code) {
        case 1:
        case 2:
        case 7:
            // Addition rule: a plain number adopts the other side's dimension.
            if (isDimensionless(left.dimension)) {
                left.dimension = std::move(right.dimension);
            } else if (!isDimensionless(right.dimension) &&
                       !sameDimension(left.dimension, right.dimension)) {
                setError(message::kDimensionMismatch);
            }
            break;
        case 3:
            addScaled(left.dimension, right.dimension, 1);
            break;
        case 4:
        case 6:
            addScaled(left.dimension, right.dimension, -1);
            break;
        case 5:
            scaleExponents(left.dimension, right.value);
            break;
        default:
            break;
    }
}

double Engine::endExpression() {
    if (m_stack.empty()) return 0;
    OperandLevel& top = m_stack.top();
    double result = top.value;
    if (m_useDimensions) {
        for (std::size_t i = 0; i < m_baseUnits.size(); ++i) {
            m_baseUnits[i].resultExponent = i < top.dimension.size() ? top.dimension[i] : 0;
        }
    }
    m_carriedDimension = std::move(top.dimension);
    m_stack.pop();
    // Only the end of the line's own right-hand side carries out the assignment.
    if (m_assignmentPending && m_nestingDepth == 0) {
        m_assignmentPending = false;
        VariableEntry& target = m_variables[m_firstName];
        if (target.code >= code::kAns + 1) {
            target.value = result;
            m_flags.assignmentDone = true;
        } else {
            setError(message::kInvalidAssignment);
        }
    }
    return result;
}

// A line without an expression (a comment alone) has no result to keep.
void Engine::storeAns() {
    if (m_lineHasExpression) m_variables[m_ansEntry].value = m_currentValue;
}

}  // namespace tally
