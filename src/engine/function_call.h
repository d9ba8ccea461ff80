#pragma once

#include <string>
#include <string_view>

#include "engine/call_stack.h"
#include "engine/faults.h"
#include "engine/line_evaluator.h"

namespace tally {

// What a built-in function sees of its call: its arguments on the operand stack, their
// texts, the evaluator, and a fault record the dispatcher turns into
// "Недопустимый аргумент".
class FunctionCall {
  public:
    FunctionCall(LineEvaluator& evaluator, Function function, CallFrame& frame)
        : m_evaluator(evaluator), m_function(function), m_frame(frame) {}

    LineEvaluator& evaluator() { return m_evaluator; }
    Function function() const { return m_function; }
    int count() const { return m_frame.argumentCount; }
    bool isEmpty(int i) const { return m_frame.isEmpty(i); }
    // The value of argument i (1-based): kept in the frame, or the top level of its stretch
    // of the stack; an omitted argument reads as 0.
    double argument(int i) const {
        if (isEmpty(i)) return 0;
        if (m_frame.compact) return m_frame.values[static_cast<std::size_t>(i - 1)];
        return m_evaluator.operandStack().at(m_frame.argumentEnds[i - 1] - 1).value;
    }
    std::u16string_view argumentText(int i) const { return m_frame.argumentText(i); }
    // The operand-stack height just above argument i.
    int argumentEnd(int i) const { return m_frame.argumentEnds[i - 1]; }
    // The level of the first argument given; its dimension becomes the result's. There is
    // none when every argument was omitted.
    bool hasFirstLevel() const { return m_evaluator.operandStack().height() > m_frame.baseHeight; }
    OperandLevel& firstLevel() { return m_evaluator.operandStack().at(m_frame.baseHeight); }
    bool hasArguments() const { return m_frame.argumentCount > 0; }
    double ans() const { return m_evaluator.tables().symbols.ans(); }

    Faults& faults() { return m_faults; }
    // A failure the function reports in its own words, with its own result.
    double fail(EngineError error, double result) {
        m_evaluator.setError(error);
        return result;
    }

  private:
    LineEvaluator& m_evaluator;
    Function m_function;
    CallFrame& m_frame;
    Faults m_faults;
};

// The function families; each computes the functions of its kind.
double computeElementary(FunctionCall& call);
double computeStatistics(FunctionCall& call);
double computeSpecial(FunctionCall& call);
double computeFinance(FunctionCall& call);
double computeSolver(FunctionCall& call);

}  // namespace tally
