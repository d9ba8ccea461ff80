#pragma once

#include "engine/engine.h"
#include "lang/grammar_actions.h"

namespace tally {

// The action policy of the evaluating readers: every grammar action becomes the engine
// operation of the same name.
class EvaluationActions : public GrammarActions {
  public:
    explicit EvaluationActions(Engine& engine) : m_engine(engine) {}

    double& currentValue() { return m_engine.currentValue(); }
    void beginStatement(int part) { m_engine.beginStatement(part); }
    void markEquals() { m_engine.markEquals(); }
    double endExpression() { return m_engine.endExpression(); }
    void storeAns() { m_engine.storeAns(); }
    void pushValue(double value) { m_engine.pushValue(value); }
    void negate() { m_engine.negate(); }
    void factorial() { m_engine.factorial(); }
    void percent() { m_engine.percent(); }
    void applyOperator(int code) { m_engine.applyOperator(code); }
    void beginName(int) { m_engine.beginName(); }
    void appendNameChar(char16_t unit) { m_engine.appendNameChar(unit); }
    double lookupName() { return m_engine.lookupName(); }
    void resolveUnitName() { m_engine.resolveUnitName(); }
    void beginUnit() { m_engine.beginUnit(); }
    void endUnit() { m_engine.endUnit(); }
    void beginArguments() { m_engine.beginArguments(); }
    void beginAbs() { m_engine.beginAbs(); }
    double callFunction() { return m_engine.callFunction(); }
    void beginArgumentText(int position) { m_engine.beginArgumentText(position); }
    void nextArgumentText(int position) { m_engine.nextArgumentText(position); }
    void endArgumentText(std::u16string_view text, int position) {
        m_engine.endArgumentText(text, position);
    }
    void emptyArgument() { m_engine.emptyArgument(); }
    void beginNamedArgument() { m_engine.beginNamedArgument(); }
    void endNamedArgument() { m_engine.endNamedArgument(); }
    void minusBeforeLiteral() { m_engine.minusBeforeLiteral(); }
    bool enterBracket() { return m_engine.enterBracket(); }
    void leaveBracket() { m_engine.leaveBracket(); }

  private:
    Engine& m_engine;
};

}  // namespace tally
