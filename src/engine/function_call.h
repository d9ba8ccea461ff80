#pragma once

#include <string>
#include <string_view>

#include "engine/call_stack.h"
#include "engine/checked_math.h"
#include "engine/engine.h"

namespace tally {

// What a built-in function sees of its call: its arguments on the operand stack, their
// texts, the engine, and a fault record the dispatcher turns into "Недопустимый аргумент".
class FunctionCall {
  public:
    FunctionCall(Engine& engine, int number, CallFrame& frame)
        : m_engine(engine), m_number(number), m_frame(frame) {}

    Engine& engine() { return m_engine; }
    int number() const { return m_number; }
    int count() const { return m_frame.argumentCount; }
    bool isEmpty(int i) const { return m_frame.isEmpty(i); }
    // The value of argument i (1-based): the top level of its stretch of the stack; an
    // omitted argument reads as 0.
    double argument(int i) const {
        if (isEmpty(i)) return 0;
        return m_engine.operandStack().at(m_frame.argumentEnds[i - 1] - 1).value;
    }
    const std::u16string& argumentText(int i) const { return m_frame.argumentTexts[i - 1]; }
    // The operand-stack height just above argument i.
    int argumentEnd(int i) const { return m_frame.argumentEnds[i - 1]; }
    // The level of the first argument; its dimension becomes the result's.
    OperandLevel& firstLevel() { return m_engine.operandStack().at(m_frame.baseHeight); }
    bool hasArguments() const { return m_frame.argumentCount > 0; }

    Faults& faults() { return m_faults; }
    // A failure the function reports in its own words, with its own result.
    double fail(std::u16string_view message, double result) {
        m_engine.setError(message);
        return result;
    }

  private:
    Engine& m_engine;
    int m_number;
    CallFrame& m_frame;
    Faults m_faults;
};

// The function families; each computes the functions of its kind.
double computeElementary(FunctionCall& call);
double computeStatistics(FunctionCall& call);
double computeFinance(FunctionCall& call);
double computeSolver(FunctionCall& call);

}  // namespace tally
