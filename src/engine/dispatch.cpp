#include <cmath>
#include <string>

#include "engine/function_call.h"
#include "engine/function_table.h"
#include "engine/line_evaluator.h"
#include "lang/blanks.h"

namespace tally {

void LineEvaluator::beginArguments() {
    markUnrepeatable();
    m_calls.pushKind(m_currentEntry.valid() ? m_tables.symbols[m_currentEntry].code
                                            : code::kVariable);
    if (!m_nameTracking) return;
    ++m_operationCount;
    if (m_nameCount == 1 && m_operationCount == 1) m_firstCall = m_currentEntry;
    ++m_nameCount;
}

// The expression arguments of a solver are read without running the calls in them: the
// solver evaluates them at its own points, and one extra run at the current values would
// only leave side effects (a stray plot point, a used random number).
void LineEvaluator::beginArgumentText(int position) {
    CallFrame& frame = m_calls.pushFrame(position, m_stack.height());
    frame.errorAtStart = m_error;
    if (!m_calls.hasKind() || !code::isBuiltInFunction(m_calls.kind())) return;
    const FunctionSpec& spec = functionSpec(code::builtInFunctionOf(m_calls.kind()));
    // Of the built-in functions only those with expression arguments read their texts.
    frame.keepsTexts = spec.expressionArguments > 0;
    frame.compact = spec.maxArguments == kAnyCount && spec.expressionArguments == 0;
    if (spec.expressionArguments > 0) {
        frame.readingExpression = true;
        ++m_readingExpressions;
    }
}

void LineEvaluator::endArgumentText(std::u16string_view text, int position) {
    if (!m_calls.hasFrame()) return;
    CallFrame& frame = m_calls.frame();
    ++frame.argumentCount;
    if (frame.keepsTexts) {
        frame.source = text;
        ArgumentSpan span;
        if (!frame.pendingEmpty) {
            auto from = static_cast<std::size_t>(std::max(frame.argumentStart, 1) - 1);
            auto to = std::min(static_cast<std::size_t>(std::max(position, 1) - 1), text.size());
            // The blanks around an argument are not part of its text.
            while (from < to && text[from] == u' ')
                ++from;
            while (to > from && text[to - 1] == u' ')
                --to;
            span = {static_cast<std::int32_t>(from), static_cast<std::int32_t>(to - from)};
        }
        frame.argumentSpans.push_back(span);
    }
    if (frame.compact) {
        // The value goes into the frame; only the first level stays, for the dimension.
        bool omitted = frame.pendingEmpty || m_stack.height() <= frame.baseHeight;
        frame.values.push_back(omitted ? std::nan("") : m_stack.top().value);
        m_stack.popTo(frame.baseHeight + 1);
    } else {
        frame.argumentEnds.push_back(m_stack.height());
    }
    frame.pendingEmpty = false;
    // Failures of a solver's expression at the current values do not count either.
    if (frame.readingExpression) {
        m_error = frame.errorAtStart;
        if (frame.argumentCount >=
            functionSpec(code::builtInFunctionOf(m_calls.kind())).expressionArguments) {
            frame.readingExpression = false;
            --m_readingExpressions;
        }
    }
}

void LineEvaluator::trimArguments(int count) {
    if (!m_calls.hasFrame()) return;
    CallFrame& frame = m_calls.frame();
    if (frame.argumentCount <= count) return;
    m_stack.popTo(frame.argumentBegin(count + 1));
    frame.argumentCount = count;
    if (frame.keepsTexts) frame.argumentSpans.resize(static_cast<std::size_t>(count));
    frame.argumentEnds.resize(static_cast<std::size_t>(count));
}

// Removes the call's arguments (every level pushed since its list opened), its frame and
// its kind.
void LineEvaluator::dropCallFrame() {
    if (m_calls.hasFrame()) {
        CallFrame& frame = m_calls.frame();
        if (frame.readingExpression) --m_readingExpressions;
        m_stack.popTo(frame.baseHeight);
        // A long list gives its room back at once rather than when the frame is reused.
        if (frame.values.size() > 4096) std::deque<double>().swap(frame.values);
        m_calls.popFrame();
    }
    m_calls.popKind();
}

double LineEvaluator::callFunction() {
    m_resultNote.clear();
    if (m_settings.eventPump) m_settings.eventPump->processEvents();
    if (!m_calls.hasKind()) return 0;
    std::int32_t kind = m_calls.kind();
    if (!m_firstCallRecorded && m_nestingDepth == 0 && m_calls.frameDepth() == 1) {
        m_firstCallRecorded = true;
        // A definition's parameters; a built-in function's call defines nothing.
        const CallFrame& frame = m_calls.frame();
        m_firstCallArguments.clear();
        for (int i = 1; frame.keepsTexts && i <= frame.argumentCount; ++i)
            m_firstCallArguments.emplace_back(frame.argumentText(i));
    }
    if (m_unwinding || m_readingExpressions > 0) {
        dropCallFrame();
        return 0;
    }
    if (code::isBuiltInFunction(kind)) return callBuiltIn(code::builtInFunctionOf(kind));
    if (code::isUserFunction(kind)) return callUserFunction(code::userFunctionNumber(kind));
    setError(EngineError::UnknownFunction);
    dropCallFrame();
    return 0;
}

namespace {

double compute(FunctionCall& call) {
    switch (functionSpec(call.function()).family) {
        case FunctionFamily::Elementary:
            return computeElementary(call);
        case FunctionFamily::Statistics:
            return computeStatistics(call);
        case FunctionFamily::Special:
            return computeSpecial(call);
        case FunctionFamily::Finance:
            return computeFinance(call);
        case FunctionFamily::Solver:
            return computeSolver(call);
    }
    return 0;
}

}  // namespace

double LineEvaluator::callBuiltIn(Function function) {
    const FunctionSpec& spec = functionSpec(function);
    if (spec.maxArguments != kAnyCount) trimArguments(spec.maxArguments);
    int count = m_calls.hasFrame() ? m_calls.frame().argumentCount : 0;
    if (count < spec.minArguments) {
        setError(EngineError::TooFewArguments);
        dropCallFrame();
        return 0;
    }
    FunctionCall call(*this, function, m_calls.frame());
    double result = compute(call);
    if (call.faults().raised() || !std::isfinite(result)) {
        // The fault trap: the call ends and the line keeps the last answer.
        dropCallFrame();
        setError(EngineError::InvalidArgument);
        m_carriedDimension.clear();
        return m_tables.symbols.ans();
    }
    m_carriedDimension.clear();
    if (call.hasFirstLevel() && m_settings.useDimensions) {
        m_carriedDimension = std::move(call.firstLevel().dimension);
    }
    dropCallFrame();
    return result;
}

double LineEvaluator::callUserFunction(int number) {
    SymbolTable& symbols = m_tables.symbols;
    if (!symbols.userFunctions().contains(number) || !m_calls.hasFrame()) {
        setError(EngineError::UnknownFunction);
        dropCallFrame();
        return 0;
    }
    int parameters = symbols.userFunctions()[number].parameterCount();
    trimArguments(parameters);
    CallFrame& frame = m_calls.frame();
    if (frame.argumentCount < parameters) {
        setError(EngineError::TooFewArguments);
        dropCallFrame();
        return 0;
    }
    // Parameters are hidden variables (marker 15 + the parameter's number). The caller's
    // values are put back after the call, so that an inner call cannot change the
    // parameters of the body that called it.
    std::vector<std::pair<EntryRef, double>> saved;
    saved.reserve(static_cast<std::size_t>(parameters));
    for (int i = parameters; i >= 1; --i) {
        EntryRef entry = symbols.parameter(i);
        saved.emplace_back(entry, symbols[entry].value);
        symbols[entry].value =
            frame.isEmpty(i)
                ? 0
                : m_stack.at(frame.argumentEnds[static_cast<std::size_t>(i - 1)] - 1).value;
    }
    dropCallFrame();
    std::u16string body = withoutBlanks(symbols.userFunctions()[number].body);
    bool tracking = m_nameTracking;
    m_nameTracking = false;
    bool evaluated = evaluateNested(body);
    m_nameTracking = tracking;
    for (const auto& [entry, value] : saved)
        symbols[entry].value = value;
    if (!evaluated) {
        if (!m_unwinding) setError(EngineError::SyntaxError);
        m_carriedDimension.clear();
        return 0;
    }
    return m_currentValue;
}

}  // namespace tally
