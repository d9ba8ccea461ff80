#include <cmath>
#include <string>

#include "engine/engine.h"
#include "engine/function_call.h"
#include "engine/function_table.h"
#include "engine/messages.h"
#include "lang/blanks.h"

namespace tally {

void Engine::beginArguments() {
    m_calls.pushKind(m_currentEntry.valid() ? m_variables[m_currentEntry].code : code::kVariable);
    if (!m_nameTracking) return;
    ++m_operationCount;
    if (m_nameCount == 1 && m_operationCount == 1) m_firstCall = m_currentEntry;
    ++m_nameCount;
}

// The expression arguments of a solver are read without running the calls in them: the
// solver evaluates them at its own points, and one extra run at the current values would
// only leave side effects (a stray plot point, a used random number).
void Engine::beginArgumentText(int position) {
    CallFrame& frame = m_calls.pushFrame(position, m_stack.height());
    frame.errorAtStart = m_engineError;
    if (m_calls.hasKind() && code::isBuiltInFunction(m_calls.kind()) &&
        functionSpec(-m_calls.kind()).expressionArguments > 0) {
        frame.readingExpression = true;
        ++m_readingExpressions;
    }
}

void Engine::endArgumentText(std::u16string_view text, int position) {
    if (!m_calls.hasFrame()) return;
    CallFrame& frame = m_calls.frame();
    ++frame.argumentCount;
    std::u16string argument;
    if (!frame.pendingEmpty) {
        auto from = static_cast<std::size_t>(std::max(frame.argumentStart, 1) - 1);
        auto to = std::min(static_cast<std::size_t>(std::max(position, 1) - 1), text.size());
        for (std::size_t i = from; i < to; ++i) {
            if (text[i] != u' ') argument.push_back(text[i]);
        }
    }
    frame.pendingEmpty = false;
    frame.argumentTexts.push_back(std::move(argument));
    frame.argumentEnds.push_back(m_stack.height());
    // Failures of a solver's expression at the current values do not count either.
    if (frame.readingExpression) {
        m_engineError = frame.errorAtStart;
        if (frame.argumentCount >= functionSpec(-m_calls.kind()).expressionArguments) {
            frame.readingExpression = false;
            --m_readingExpressions;
        }
    }
}

void Engine::trimArguments(int count) {
    if (!m_calls.hasFrame()) return;
    CallFrame& frame = m_calls.frame();
    if (frame.argumentCount <= count) return;
    m_stack.popTo(frame.argumentBegin(count + 1));
    frame.argumentCount = count;
    frame.argumentTexts.resize(static_cast<std::size_t>(count));
    frame.argumentEnds.resize(static_cast<std::size_t>(count));
}

bool Engine::requireArguments(int count) {
    trimArguments(count);
    if (m_calls.hasFrame() && m_calls.frame().argumentCount >= count) return true;
    setError(message::kTooFewArguments);
    dropCallFrame();
    return false;
}

// Removes the call's arguments (every level pushed since its list opened), its frame and
// its kind.
void Engine::dropCallFrame() {
    if (m_calls.hasFrame()) {
        if (m_calls.frame().readingExpression) --m_readingExpressions;
        m_stack.popTo(m_calls.frame().baseHeight);
        m_calls.popFrame();
    }
    m_calls.popKind();
}

double Engine::callFunction() {
    m_resultNote.clear();
    if (m_eventPump) m_eventPump->processEvents();
    if (!m_calls.hasKind()) return 0;
    std::int32_t kind = m_calls.kind();
    if (!m_firstCallRecorded && m_nestingDepth == 0 && m_calls.frameDepth() == 1) {
        m_firstCallRecorded = true;
        m_firstCallArguments = m_calls.frame().argumentTexts;
    }
    if (m_unwinding || m_readingExpressions > 0) {
        dropCallFrame();
        return 0;
    }
    if (code::isBuiltInFunction(kind)) return callBuiltIn(-kind);
    if (code::isUserFunction(kind)) return callUserFunction(kind - code::kUserFunctionBase);
    setError(message::kUnknownFunction);
    dropCallFrame();
    return 0;
}

double Engine::callBuiltIn(int number) {
    const FunctionSpec& spec = functionSpec(number);
    if (spec.maxArguments != kAnyCount) trimArguments(spec.maxArguments);
    int count = m_calls.hasFrame() ? m_calls.frame().argumentCount : 0;
    if (count < spec.minArguments) {
        setError(message::kTooFewArguments);
        dropCallFrame();
        return 0;
    }
    FunctionCall call(*this, number, m_calls.frame());
    double result = compute(call);
    if (call.faults().raised() || !std::isfinite(result)) {
        // The fault trap: the call ends and the line keeps the last answer.
        dropCallFrame();
        setError(message::kInvalidArgument);
        m_carriedDimension.clear();
        return ans();
    }
    m_carriedDimension.clear();
    if (call.hasArguments() && m_useDimensions) {
        m_carriedDimension = std::move(call.firstLevel().dimension);
    }
    dropCallFrame();
    return result;
}

double Engine::compute(FunctionCall& call) {
    switch (functionSpec(call.number()).family) {
        case FunctionFamily::Elementary:
            return computeElementary(call);
        case FunctionFamily::Statistics:
            return computeStatistics(call);
        case FunctionFamily::Finance:
            return computeFinance(call);
        case FunctionFamily::Solver:
            return computeSolver(call);
    }
    return 0;
}

// The hidden variable of parameter i, created on first use and remembered, since table
// entries never move.
EntryRef Engine::parameterEntry(int i) {
    auto index = static_cast<std::size_t>(i);
    if (index < m_parameterEntries.size() && m_parameterEntries[index].valid()) {
        return m_parameterEntries[index];
    }
    std::string digits = std::to_string(i);
    std::u16string hidden(1, kBoundMarker);
    hidden.append(digits.begin(), digits.end());
    EntryRef entry = m_variables.find(hidden, VariableTable::Match::IgnoreCase);
    if (!entry.valid()) entry = m_variables.append(hidden, 0, code::kVariable);
    if (m_parameterEntries.size() <= index) m_parameterEntries.resize(index + 1);
    m_parameterEntries[index] = entry;
    return entry;
}

double Engine::callUserFunction(int number) {
    if (!m_userFunctions.contains(number) || !m_calls.hasFrame()) {
        setError(message::kUnknownFunction);
        dropCallFrame();
        return 0;
    }
    int parameters = m_userFunctions[number].parameterCount();
    trimArguments(parameters);
    CallFrame& frame = m_calls.frame();
    if (frame.argumentCount < parameters) {
        setError(message::kTooFewArguments);
        dropCallFrame();
        return 0;
    }
    // Parameters are hidden variables (marker 15 + the parameter's number). The caller's
    // values are put back after the call, so that an inner call cannot change the
    // parameters of the body that called it.
    std::vector<std::pair<EntryRef, double>> saved;
    saved.reserve(static_cast<std::size_t>(parameters));
    for (int i = parameters; i >= 1; --i) {
        EntryRef entry = parameterEntry(i);
        saved.emplace_back(entry, m_variables[entry].value);
        m_variables[entry].value =
            frame.isEmpty(i)
                ? 0
                : m_stack.at(frame.argumentEnds[static_cast<std::size_t>(i - 1)] - 1).value;
    }
    dropCallFrame();
    std::u16string body = withoutBlanks(m_userFunctions[number].body);
    bool tracking = m_nameTracking;
    m_nameTracking = false;
    bool evaluated = evaluateNested(body);
    m_nameTracking = tracking;
    for (const auto& [entry, value] : saved)
        m_variables[entry].value = value;
    if (!evaluated) {
        if (!m_unwinding) setError(message::kSyntaxError);
        m_carriedDimension.clear();
        return 0;
    }
    return m_currentValue;
}

}  // namespace tally
