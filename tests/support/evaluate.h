#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/variable_table.h"
#include "lang/charset.h"

namespace tally::test {

inline std::string utf8(std::u16string_view text) {
    return toUtf8(text);
}

// The first line of a syntax error message: what was found and what was expected.
inline std::u16string headline(std::u16string_view message) {
    return std::u16string(message.substr(0, message.find(u"\r\n")));
}

// The hidden name of parameter i in a stored user-function body.
inline std::u16string param(int i) {
    std::string digits = std::to_string(i);
    std::u16string name(1, kBoundMarker);
    name.append(digits.begin(), digits.end());
    return name;
}

struct Evaluation {
    std::u16string syntax;  // the parser's message
    double value = 0;
    std::u16string error;  // the engine's message
};

// One calculation line as the driver runs it: messages cleared, the stack emptied.
inline Evaluation evaluate(Engine& engine, std::u16string_view line) {
    engine.clearEngineError();
    engine.clearNestedParseMessage();
    engine.clearOperandStack();
    Evaluation result;
    result.syntax = engine.parseCalc(line);
    result.value = engine.currentValue();
    result.error = engine.engineError();
    return result;
}

inline void expectValue(Engine& engine, std::u16string_view line, double expected) {
    SCOPED_TRACE(utf8(line));
    Evaluation e = evaluate(engine, line);
    EXPECT_EQ(utf8(e.syntax), "");
    EXPECT_EQ(utf8(e.error), "");
    EXPECT_DOUBLE_EQ(e.value, expected);
}

inline void expectValue(std::u16string_view line, double expected) {
    Engine engine;
    expectValue(engine, line, expected);
}

inline void expectMessage(Engine& engine, std::u16string_view line, std::u16string_view message) {
    SCOPED_TRACE(utf8(line));
    Evaluation e = evaluate(engine, line);
    EXPECT_EQ(utf8(e.syntax), "");
    EXPECT_EQ(utf8(e.error), utf8(message));
}

inline void expectMessage(std::u16string_view line, std::u16string_view message) {
    Engine engine;
    expectMessage(engine, line, message);
}

}  // namespace tally::test
