#include "engine/line_evaluator.h"

#include <algorithm>
#include <cmath>

#include "engine/constants.h"
#include "engine/factorial.h"
#include "engine/faults.h"
#include "lang/grammar.h"

namespace tally {

// A calculation from outside starts with no nesting, no open brackets, nothing to unwind
// and no error.
void LineEvaluator::startCalculation() {
    m_calculating = true;
    m_nestingDepth = 0;
    m_openBrackets = 0;
    m_unwinding = false;
    m_readingExpressions = 0;
    m_error = EngineError::None;
    m_nestedParseMessage.clear();
    m_resultNote.clear();
    m_resultDimension.clear();
    m_stack.clear();
}

void LineEvaluator::evaluateLine(std::u16string_view line, LineResult& result) {
    startCalculation();
    // Every line starts clean, also one that begins with "=" and so never reaches the
    // grammar's own reset: nothing of the previous line may be assigned to.
    clearStatementState();
    if (m_lineGrammar == nullptr) m_lineGrammar = &GrammarVariant::calc();
    Grammar<LineEvaluator> grammar(*m_lineGrammar, *this);
    grammar.parse(line, result.syntaxMessage);
    m_calculating = false;
    m_stack.clear();

    // The result's texts keep their room from line to line: they are assigned or swapped
    // with the evaluator's own, which the next line clears.
    result.nestedSyntaxError = !m_nestedParseMessage.empty();
    result.error = m_error;
    result.result.value = m_currentValue;
    result.result.dimension = m_resultDimension;
    // Swapping two short texts copies both; most lines have no note at all.
    if (!result.resultNote.empty() || !m_resultNote.empty()) result.resultNote.swap(m_resultNote);
    result.flags = m_flags;
    result.leftValue = m_leftValue;
    if (m_flags.assignmentDone) {
        result.assignedName.assign(m_tables.symbols[m_firstName].name);
    } else {
        result.assignedName.clear();
    }
    if (m_firstCall.valid() && m_flags.isFunctionDefinition) {
        result.firstCallName.assign(m_tables.symbols[m_firstCall].name);
        result.firstCallArguments.swap(m_firstCallArguments);
    } else {
        result.firstCallName.clear();
        result.firstCallArguments.clear();
    }
    m_flags = {};
}

ExpressionResult LineEvaluator::evaluateExpression(std::u16string_view text) {
    startCalculation();
    ExpressionResult result;
    if (!evaluateNested(text)) {
        result.syntaxMessage = m_nestedParseMessage.empty()
                                   ? std::u16string(errorText(EngineError::Overflow))
                                   : std::move(m_nestedParseMessage);
    }
    m_calculating = false;
    m_stack.clear();
    result.error = m_error;
    result.result = {m_currentValue, std::move(m_carriedDimension)};
    m_carriedDimension.clear();
    m_resultNote.clear();
    return result;
}

bool LineEvaluator::evaluateNested(std::u16string_view text) {
    if (m_unwinding) return false;
    if (m_nestingDepth >= kNestingLimit) {
        setError(EngineError::Overflow);
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
    m_peakNesting = std::max(m_peakNesting, m_nestingDepth);
    if (m_storedGrammar == nullptr) m_storedGrammar = &GrammarVariant::parsUsFunc();
    Grammar<LineEvaluator> grammar(*m_storedGrammar, *this);
    std::u16string message = grammar.parse(copy);
    --m_nestingDepth;
    if (message.empty()) return !m_unwinding;
    if (m_nestedParseMessage.empty()) m_nestedParseMessage = std::move(message);
    m_stack.popTo(height);
    m_calls.truncate(kinds, frames);
    m_readingExpressions = readingExpressions;
    return false;
}

double LineEvaluator::angleFactor() const {
    return m_settings.angleMode == AngleMode::Radians ? 1.0 : kPi / 180.0;
}

double LineEvaluator::evaluateAt(std::u16string_view text, EntryRef bound, double t, bool counted) {
    m_nameTracking = false;
    if (t == 0) t = 1e-100;
    m_tables.symbols[bound].value = t;
    m_plotX = t;
    EngineError error = m_error;
    evaluateNested(text);
    if (counted) {
        m_error = error;
        ++m_evaluationCount;
        if (m_settings.progress && m_evaluationCount % 1000 == 0) {
            m_settings.progress->showEvaluationCount(m_evaluationCount);
        }
    }
    if (EventPump* pump = m_settings.eventPump) {
        pump->processEvents();
        if (!m_unwinding && pump->cancelRequested()) {
            setError(EngineError::Cancelled);
            m_unwinding = true;
        }
    }
    return m_currentValue;
}

bool LineEvaluator::enterBracket() {
    if (m_openBrackets >= kBracketBudget) return false;
    ++m_openBrackets;
    m_peakBrackets = std::max(m_peakBrackets, m_openBrackets);
    return true;
}

void LineEvaluator::beginStatement(int part) {
    if (part == 1) {
        m_unitDepth = 0;
        m_tables.units.refreshScales(m_tables.symbols);
        m_conversionAllowed = true;
        m_stack.clear();
        m_calls.clear();
        m_readingExpressions = 0;
        // The statement state was cleared when the line began.
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

void LineEvaluator::clearStatementState() {
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

void LineEvaluator::clearLiteralFlags() {
    m_flags.isBareLiteral = false;
    m_flags.isPlainAssignment = false;
}

void LineEvaluator::pushQuantity(double value) {
    if (!std::isfinite(value)) {
        setError(EngineError::Overflow);
        value = 0;
    }
    OperandLevel& level = m_stack.pushNew();
    level.value = value;
    if (m_settings.useDimensions) {
        if (!m_carriedDimension.empty()) level.dimension = std::move(m_carriedDimension);
        if (m_pendingBaseUnit > 0) {
            auto k = static_cast<std::size_t>(m_pendingBaseUnit);
            if (level.dimension.size() < k) level.dimension.resize(k, 0);
            level.dimension[k - 1] = 1;
        }
    }
    m_carriedDimension.clear();
    m_pendingBaseUnit = 0;
}

void LineEvaluator::negate() {
    markUnrepeatable();
    m_signedLiteralHeight = 0;
    if (m_stack.empty()) return;
    if (m_negationTakenAtHeight == m_stack.height()) {
        m_negationTakenAtHeight = 0;
        return;
    }
    m_stack.top().value = -m_stack.top().value;
}

void LineEvaluator::percent() {
    markUnrepeatable();
    m_resultNote.clear();
    clearLiteralFlags();
    if (!m_stack.empty()) m_stack.top().value *= 0.01;
}

void LineEvaluator::factorial() {
    markUnrepeatable();
    m_resultNote.clear();
    clearLiteralFlags();
    if (m_stack.empty()) return;
    std::optional<double> product = factorialOf(m_stack.top().value);
    if (!product) {
        setError(EngineError::Overflow);
        return;
    }
    m_stack.top().value = *product;
}

namespace {

// The value of a binary operation, or nothing on an arithmetic fault.
std::optional<double> operate(BinaryOperator op, double l, double r) {
    Faults f;
    double result = 0;
    switch (op) {
        case BinaryOperator::Add:
            result = f.check(l + r);
            break;
        case BinaryOperator::Subtract:
            result = f.check(l - r);
            break;
        case BinaryOperator::Multiply:
            result = f.check(l * r);
            break;
        case BinaryOperator::Divide:
            result = f.divide(l, r);
            break;
        case BinaryOperator::Power:
            result = f.power(l, r);
            break;
        case BinaryOperator::Quotient:
        case BinaryOperator::Remainder: {
            std::int64_t a = f.roundToInt32(l);
            std::int64_t b = f.roundToInt32(r);
            if (b == 0) f.raise();
            if (f.raised()) return std::nullopt;
            // Truncating division; the remainder takes the dividend's sign.
            std::int64_t value = op == BinaryOperator::Quotient ? a / b : a % b;
            if (value > INT32_MAX) f.raise();
            result = static_cast<double>(value);
            break;
        }
    }
    if (f.raised()) return std::nullopt;
    return result;
}

}  // namespace

void LineEvaluator::applyOperator(BinaryOperator op) {
    ++m_operatorsApplied;
    m_resultNote.clear();
    if (m_nameTracking) ++m_operationCount;
    if (m_unitDepth == 0) clearLiteralFlags();
    if (m_stack.height() < 2) return;
    // The right operand leaves the stack once the left one has taken what it needs of it.
    OperandLevel& right = m_stack.top();
    OperandLevel& left = m_stack.at(m_stack.height() - 2);
    std::optional<double> value = operate(op, left.value, right.value);
    if (!value) {
        setError(EngineError::Overflow);
        m_stack.pop();
        return;
    }
    left.value = *value;
    // Two plain numbers give a plain number whatever the operator.
    if (m_settings.useDimensions && !(left.dimension.empty() && right.dimension.empty())) {
        combineDimensions(op, left.dimension, right.dimension, right.value);
    }
    m_stack.pop();
}

void LineEvaluator::combineDimensions(BinaryOperator op, DimensionVector& left,
                                      DimensionVector& right, double rightValue) {
    switch (op) {
        case BinaryOperator::Add:
        case BinaryOperator::Subtract:
        case BinaryOperator::Remainder:
            // Addition rule: a plain number adopts the other side's dimension.
            if (isDimensionless(left)) {
                left = std::move(right);
            } else if (!isDimensionless(right) && !sameDimension(left, right)) {
                setError(EngineError::DimensionMismatch);
            }
            break;
        case BinaryOperator::Multiply:
            addScaled(left, right, 1);
            break;
        case BinaryOperator::Divide:
        case BinaryOperator::Quotient:
            addScaled(left, right, -1);
            break;
        case BinaryOperator::Power:
            scaleExponents(left, rightValue);
            break;
    }
}

double LineEvaluator::endExpression() {
    if (m_stack.empty()) return 0;
    OperandLevel& top = m_stack.top();
    double result = top.value;
    m_carriedDimension = std::move(top.dimension);
    m_stack.pop();
    if (m_nestingDepth > 0) return result;
    // Only the end of the line's own sides gives the result its dimension and carries out
    // the assignment.
    if (m_settings.useDimensions) {
        m_resultDimension = m_carriedDimension;
    } else {
        m_resultDimension.clear();
    }
    if (m_assignmentPending) {
        m_assignmentPending = false;
        VariableEntry& target = m_tables.symbols[m_firstName];
        if (target.code >= code::kAns + 1) {
            target.value = result;
            m_flags.assignmentDone = true;
        } else {
            setError(EngineError::InvalidAssignment);
        }
    }
    return result;
}

// A line without an expression (a comment alone) has no result to keep.
void LineEvaluator::storeAns() {
    if (m_lineHasExpression) m_tables.symbols.setAns(m_currentValue);
}

}  // namespace tally
