#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "lang/code_page.h"

namespace tally::test {

inline std::string utf8(std::u16string_view text) {
    return toUtf8(text);
}

// The first line of a syntax error message: what was found and what was expected.
inline std::u16string headline(std::u16string_view message) {
    return std::u16string(message.substr(0, message.find(u"\r\n")));
}

struct Evaluation {
    std::u16string syntax;  // the parser's message
    double value = 0;
    std::u16string error;  // the engine's message
};

// One calculation line as the driver runs it.
inline Evaluation evaluate(Engine& engine, std::u16string_view line) {
    LineResult result = engine.evaluateLine(line);
    return {result.syntaxMessage, result.result.value, std::u16string(errorText(result.error))};
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

// A line and the value it must give, to a relative tolerance (at least as much absolute).
struct ValueCase {
    std::u16string_view line;
    double value;
    double tolerance = 1e-14;
};

inline void expectValues(Engine& engine, std::span<const ValueCase> cases) {
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        Evaluation e = evaluate(engine, c.line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), "");
        EXPECT_NEAR(e.value, c.value, c.tolerance * std::max(1.0, std::fabs(c.value)));
    }
}

inline void expectValues(std::initializer_list<ValueCase> cases) {
    Engine engine;
    expectValues(engine, std::span(cases.begin(), cases.size()));
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
