#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lang/code_page.h"
#include "lang/decimal_literal.h"
#include "lang/grammar_actions.h"
#include "lang/grammar_variant.h"
#include "lang/parse_state.h"

namespace tally {

// The one recursive-descent reader of the calculation language. Which grammar it reads is
// chosen by the variant (start symbol, names and expected sets); what happens while it
// reads is chosen by the action policy. Lists are read by loops, so only bracket nesting
// deepens the recursion, and that is bounded by `depthLimit`.
template <class Actions>
class Grammar {
  public:
    static constexpr int kDefaultDepthLimit = 256;

    Grammar(const GrammarVariant& variant, Actions& actions, int depthLimit = kDefaultDepthLimit)
        : m_g(variant), m_actions(actions), m_depthLimit(depthLimit) {}

    // Whether the whole text is accepted, without composing an error message.
    bool accepts(std::u16string_view text) {
        m_state.quiet = true;
        bool accepted = parse(text).empty();
        m_state.quiet = false;
        return accepted;
    }

    // Reads the whole text from the variant's start symbol and returns the syntax error
    // message, empty when the text was accepted.
    std::u16string parse(std::u16string_view text) {
        std::u16string message;
        parse(text, message);
        return message;
    }
    // The same, with the message handed over in `message` (which keeps its room).
    void parse(std::u16string_view text, std::u16string& message) {
        m_state.begin(text);
        m_depth = 0;
        switch (m_g.kind()) {
            case GrammarKind::Calc:
                calc();
                break;
            case GrammarKind::ParsUsFunc:
                parsUsFunc();
                break;
            case GrammarKind::Colour:
                colour();
                break;
            case GrammarKind::Express:
                express();
                break;
            case GrammarKind::Variable:
                variable();
                break;
            case GrammarKind::Number:
                number();
                break;
        }
        // A syntax error leaves brackets open; give their share of the budget back.
        for (; m_depth > 0; --m_depth)
            m_actions.leaveBracket();
        // Swapping two texts costs more than the check; an accepted text has no message.
        if (m_state.message.empty()) {
            message.clear();
        } else {
            message.swap(m_state.message);
            m_state.message.clear();
        }
    }

    const ParseState& state() const { return m_state; }

  private:
    using N = Nonterminal;

    int cur() const { return m_state.currentChar; }
    bool failed() const { return m_state.errorFlag; }
    bool in(N n) const { return m_g.contains(n, cur()); }
    bool at(char16_t c) const { return cur() == c; }
    bool atDigit() const { return cur() >= '0' && cur() <= '9'; }
    bool atBlank() const { return cur() == ' ' || cur() == '\t'; }
    bool atLiteral() const { return at('#') || at('&') || at('.') || atDigit(); }
    int pos() const { return m_state.position; }
    void advance() { m_state.advance(); }
    void report(N n) { m_state.report(m_g[n].name, m_g[n].expected); }
    void expect(char16_t symbol) {
        if (cur() != symbol) m_state.reportMissing(symbol);
        advance();
    }
    double& value() { return m_actions.currentValue(); }
    void digit() {
        advance();
        m_digitValue = m_state.previousChar - '0';
    }

    // An operator character: marked for colouring around its consumption.
    void operatorChar() {
        m_actions.markClass(TextClass::Operator, pos());
        advance();
        m_actions.flushMark(pos());
    }

    // Each bracket that opens a nested expression counts against the depth limit; the one
    // that goes too deep is a syntax error of the nonterminal that read it.
    bool enterBracket(N n) {
        if (m_depth >= m_depthLimit || !m_actions.enterBracket()) {
            report(n);
            return false;
        }
        ++m_depth;
        return true;
    }
    void leaveBracket() {
        --m_depth;
        m_actions.leaveBracket();
    }

    // Calc ::= [1] [2] (StoreAns) [5]
    void calc() {
        if (!in(N::Calc)) return report(N::Calc);
        calc1();
        if (failed()) return;
        calc2();
        if (failed()) return;
        m_actions.storeAns();
        trailingComment(N::Calc5);
    }

    // [1] ::= (BeginStatement 1) Express (EndExpression) | empty
    void calc1() {
        if (in(N::Express)) {
            m_actions.beginStatement(1);
            express();
            if (failed()) return;
            value() = m_actions.endExpression();
        } else if (!in(N::Calc1)) {
            report(N::Calc1);
        }
    }

    // [2] ::= "=" (MarkEquals) [3] | empty
    void calc2() {
        if (at('=')) {
            m_actions.markEquals();
            advance();
            calc3();
        } else if (!in(N::Calc2)) {
            report(N::Calc2);
        }
    }

    // [3] ::= (BeginStatement 2) Express (EndExpression) [4] | empty
    void calc3() {
        if (in(N::Express)) {
            m_actions.beginStatement(2);
            express();
            if (failed()) return;
            value() = m_actions.endExpression();
            calc4();
        } else if (!in(N::Calc3)) {
            report(N::Calc3);
        }
    }

    // [4] ::= "=" | empty
    void calc4() {
        if (at('=')) {
            advance();
        } else if (!in(N::Calc4)) {
            report(N::Calc4);
        }
    }

    // [5] ::= "`" Comment | empty
    void trailingComment(N n) {
        if (at('`')) {
            m_actions.markClass(TextClass::Comment, pos());
            advance();
            comment();
            if (failed()) return;
            m_actions.flushMark(pos());
        } else if (!in(n)) {
            report(n);
        }
    }

    // Comment ::= { ComSym }: any character but the carriage return, to the end.
    void comment() {
        for (;;) {
            if (in(N::ComSym) || cur() == kOutsideCodePage) {
                advance();
            } else if (cur() == ParseState::kEndMarker) {
                return;
            } else {
                return report(N::Comment);
            }
        }
    }

    // ParsUsFunc ::= Express (EndExpression) [1]
    void parsUsFunc() {
        if (!in(N::ParsUsFunc)) return report(N::ParsUsFunc);
        express();
        if (failed()) return;
        value() = m_actions.endExpression();
        trailingComment(N::ParsUsFuncComment);
    }

    // Colour ::= [1] [2] [5]; [1] ::= Express | empty; [2] ::= ("<"|"="|">") [3] | empty;
    // [3] ::= Express [4] | empty; [4] ::= "=" | empty
    void colour() {
        if (!in(N::Colour)) return report(N::Colour);
        if (in(N::Express)) {
            express();
            if (failed()) return;
        } else if (!in(N::Colour1)) {
            return report(N::Colour1);
        }
        if (at('<') || at('=') || at('>')) {
            m_actions.markClass(TextClass::Operator, pos());
            advance();
            m_actions.flushMark(pos());
            if (in(N::Express)) {
                express();
                if (failed()) return;
                if (at('=')) {
                    operatorChar();
                } else if (!in(N::Colour4)) {
                    return report(N::Colour4);
                }
            } else if (!in(N::Colour3)) {
                return report(N::Colour3);
            }
        } else if (!in(N::Colour2)) {
            return report(N::Colour2);
        }
        trailingComment(N::Colour5);
    }

    // Number ::= Const DMS, and nothing after it.
    void number() {
        if (!in(N::Number)) return report(N::Number);
        literal();
        if (failed()) return;
        if (cur() != ParseState::kEndMarker) report(N::DMS);
    }

    // Express ::= Term E-List | "+" Term E-List | "-" Term (Negate) E-List
    void express() {
        if (in(N::Term)) {
            term();
        } else if (at('+')) {
            operatorChar();
            term();
        } else if (at('-')) {
            operatorChar();
            m_minusBeforeLiteral = atLiteral();
            term();
            if (failed()) return;
            m_actions.negate();
        } else {
            return report(N::Express);
        }
        if (failed()) return;
        eList();
    }

    // E-List ::= { ("+" | "-") Term (ApplyOperator Add | Subtract) }
    void eList() {
        for (;;) {
            if (!at('+') && !at('-')) {
                if (!in(N::EList)) report(N::EList);
                return;
            }
            BinaryOperator op = at('+') ? BinaryOperator::Add : BinaryOperator::Subtract;
            operatorChar();
            term();
            if (failed()) return;
            m_actions.applyOperator(op);
        }
    }

    // Term ::= Fact T-List
    void term() {
        if (!in(N::Term)) return report(N::Term);
        fact();
        if (failed()) return;
        tList();
    }

    // T-List ::= { ("*" | "·" | "/" | "\" | ":") Fact
    //              (ApplyOperator Multiply | Divide | Quotient | Remainder) }
    void tList() {
        for (;;) {
            BinaryOperator op;
            switch (cur()) {
                case '*':
                case 0xB7:
                    op = BinaryOperator::Multiply;
                    break;
                case '/':
                    op = BinaryOperator::Divide;
                    break;
                case '\\':
                    op = BinaryOperator::Quotient;
                    break;
                case ':':
                    op = BinaryOperator::Remainder;
                    break;
                default:
                    if (!in(N::TList)) report(N::TList);
                    return;
            }
            operatorChar();
            fact();
            if (failed()) return;
            m_actions.applyOperator(op);
        }
    }

    // Fact ::= S Prim S|UnitOfM F-List
    void fact() {
        if (m_g.takesShortcut(Shortcut::StartsNumberFactor, cur()) && plainNumberOperand()) {
            return;
        }
        if (!in(N::Fact)) return report(N::Fact);
        blanks(N::S);
        if (failed()) return;
        // A literal, the commonest primary, is read here rather than through prim's choice.
        if (atLiteral()) {
            literalOperand();
        } else {
            prim();
        }
        if (failed()) return;
        if (m_g.takesShortcut(Shortcut::EndsOperand, cur())) return;
        unitOfMeasure();
        if (failed()) return;
        fList();
    }

    // S ::= { tab | blank }, marked as comment text.
    void blanks(N n) {
        if (atBlank()) {
            m_actions.markClass(TextClass::Comment, pos());
            while (atBlank())
                advance();
            m_actions.flushMark(pos());
        }
        if (n == N::S && !in(N::S)) report(N::S);
    }

    // F-List ::= { "^" S Prim (ApplyOperator Power) S|UnitOfM }
    void fList() {
        while (at('^')) {
            operatorChar();
            blanks(N::S);
            if (failed()) return;
            prim();
            if (failed()) return;
            m_actions.applyOperator(BinaryOperator::Power);
            unitOfMeasure();
            if (failed()) return;
        }
        if (!in(N::FList)) report(N::FList);
    }

    // S|UnitOfM ::= { tab | blank } [ "[" (BeginUnit) Express (EndUnit) "]" ]
    void unitOfMeasure() {
        blanks(N::SUnitOfM);
        if (at('[')) {
            if (!enterBracket(N::SUnitOfM)) return;
            m_actions.openUnitMark(pos());
            m_actions.beginUnit();
            advance();
            express();
            if (failed()) return;
            m_actions.endUnit();
            expect(']');
            m_actions.closeUnitMark(pos());
            leaveBracket();
        } else if (!in(N::SUnitOfM)) {
            report(N::SUnitOfM);
        }
    }

    // Postfix ::= "!" (Factorial) | "%" (Percent) | empty
    void postfix() {
        if (at('!') || at('%')) {
            m_actions.markClass(TextClass::Operator, pos());
            if (at('!')) {
                m_actions.factorial();
            } else {
                m_actions.percent();
            }
            advance();
            m_actions.flushMark(pos());
        } else if (!in(N::Postfix)) {
            report(N::Postfix);
        }
    }

    // Prim ::= "(" Express ")" Postfix | "[" Express "]" Postfix | "{" Express "}" Postfix
    //        | "|" Express "|" (CallFunction Abs) Postfix | Const DMS Postfix
    //        | Variable (ResolveUnitName) Arguments Postfix
    void prim() {
        switch (cur()) {
            case '(':
                return grouping(')');
            case '[':
                return grouping(']');
            case '{':
                return grouping('}');
            case '|':
                return absoluteValue();
            default:
                break;
        }
        if (atLiteral()) return literalOperand();
        if (in(N::Variable)) {
            variable();
            if (failed()) return;
            m_actions.resolveUnitName();
            arguments();
            if (failed()) return;
            m_actions.pushValue(value());
            return postfix();
        }
        report(N::Prim);
    }

    // Const DMS Postfix, the literal's alternative of Prim.
    void literalOperand() {
        m_actions.markClass(TextClass::Number, pos());
        literal();
        if (failed()) return;
        pushLiteral();
        postfix();
    }

    // Ends the literal just read: its colouring, its value on the stack and the minus before
    // it.
    void pushLiteral() {
        m_actions.flushMark(pos());
        m_actions.pushValue(value());
        if (m_minusBeforeLiteral) m_actions.minusBeforeLiteral();
        m_minusBeforeLiteral = false;
    }

    void grouping(char16_t closing) {
        if (!enterBracket(N::Prim)) return;
        m_actions.markClass(TextClass::Bracket, pos());
        advance();
        m_actions.flushMark(pos());
        express();
        if (failed()) return;
        m_actions.markClass(TextClass::Bracket, pos());
        expect(closing);
        m_actions.flushMark(pos());
        leaveBracket();
        postfix();
    }

    void absoluteValue() {
        if (!enterBracket(N::Prim)) return;
        m_actions.markClass(TextClass::Function, pos());
        m_actions.beginAbs();
        advance();
        m_actions.flushMark(pos());
        m_actions.beginArgumentText(pos());
        express();
        if (failed()) return;
        m_actions.endArgumentText(m_state.text, pos());
        m_actions.markClass(TextClass::Function, pos());
        expect('|');
        m_actions.flushMark(pos());
        leaveBracket();
        value() = m_actions.callFunction();
        m_actions.pushValue(value());
        postfix();
    }

    // Variable ::= (BeginName) Letter { Symbol } (LookupName)
    void variable() {
        if (!in(N::Variable)) return report(N::Variable);
        m_actions.markNameStart(pos());
        m_actions.beginName(pos());
        if (!in(N::Letter)) return report(N::Letter);
        int start = pos();
        advance();
        while (in(N::Symbol))
            advance();
        if (!in(N::Symbols)) return report(N::Symbols);
        value() = m_actions.lookupName(m_state.text.substr(
            static_cast<std::size_t>(start - 1), static_cast<std::size_t>(pos() - start)));
        m_actions.flushMark(pos());
    }

    // Arguments ::= "(" (BeginArguments) Arg-List ")" (CallFunction) | empty
    void arguments() {
        if (!at('(')) {
            m_actions.nameWithoutArguments();
            if (!in(N::Arguments)) report(N::Arguments);
            return;
        }
        if (!enterBracket(N::Arguments)) return;
        m_actions.argumentsOpened();
        m_actions.markFunctionName();
        m_actions.beginArguments();
        advance();
        m_actions.flushMark(pos());
        m_actions.beginArgumentText(pos());
        argumentList();
        if (failed()) return;
        m_actions.markClass(TextClass::Function, pos());
        expect(')');
        m_actions.flushMark(pos());
        m_actions.argumentsClosed();
        leaveBracket();
        value() = m_actions.callFunction();
    }

    // Arg-List ::= Express [6] (EndArgumentText) A-List | empty
    // A-List ::= { Separator Express| (EndArgumentText) }
    void argumentList() {
        if (at(')')) return;
        if (!in(N::Express)) return report(N::ArgList);
        express();
        if (failed()) return;
        namedArgument(N::NamedFirst);
        if (failed()) return;
        m_actions.endArgumentText(m_state.text, pos());
        for (;;) {
            if (at(',') || at(';')) {
                m_actions.markClass(TextClass::Normal, pos());
                advance();
                m_actions.flushMark(pos());
                m_actions.nextArgumentText(pos());
                // Express| ::= Express [7] | (EmptyArgument)
                if (in(N::Express)) {
                    express();
                    if (failed()) return;
                    namedArgument(N::NamedNext);
                    if (failed()) return;
                } else if (at(')') || at(',') || at(';')) {
                    m_actions.emptyArgument();
                } else {
                    return report(N::ExpressOrEmpty);
                }
                m_actions.endArgumentText(m_state.text, pos());
            } else if (at(')')) {
                return;
            } else {
                return report(N::AList);
            }
        }
    }

    // [6], [7] ::= "=" (BeginNamedArgument) Express (EndNamedArgument) | empty
    void namedArgument(N n) {
        if (at('=')) {
            m_actions.beginNamedArgument();
            advance();
            express();
            if (failed()) return;
            m_actions.endNamedArgument();
        } else if (!in(n)) {
            report(n);
        }
    }

    // A numeric literal: Const DMS.
    void literal() {
        if (atDigit() && plainNumber()) return;
        constant();
        if (failed()) return;
        degrees();
    }

    // A plain number that nothing carries on (up to fifteen digits, exactly their whole
    // number, or digits with a decimal fraction, the double nearest to them) is read at once,
    // where the rules would take it a digit at a time to the same end.
    bool plainNumber() { return plainNumberEndingIn(Shortcut::EndsWholeNumber); }

    // A factor that is a plain number ending its operand: the literal operand the long way
    // would take, without the checks its first and following codes are known to pass.
    bool plainNumberOperand() {
        int start = pos();
        if (!plainNumberEndingIn(Shortcut::EndsWholeNumberOperand)) return false;
        m_actions.markClass(TextClass::Number, start);
        pushLiteral();
        return true;
    }

    // Reads the plain number at the current code when the code after it is in the class
    // `ending` (and, after a fraction, ends the fraction too); otherwise reads nothing and
    // returns false.
    bool plainNumberEndingIn(Shortcut ending) {
        std::u16string_view text = m_state.text;
        auto start = static_cast<std::size_t>(pos() - 1);
        std::size_t end = start;
        std::uint64_t number = 0;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') {
            number = number * 10 + static_cast<std::uint64_t>(text[end] - u'0');
            ++end;
        }
        int next = end < text.size() ? codeOf(text[end]) : ParseState::kEndMarker;
        // A point carries a whole number on, so it is in no class that ends one.
        if (!m_g.takesShortcut(ending, next)) {
            return next == '.' && decimalEndingIn(ending, start, end);
        }
        if (end - start > 15) return false;
        // Fifteen digits at most: the number fits a signed word, whose conversion is direct.
        value() = static_cast<double>(static_cast<std::int64_t>(number));
        m_state.skipTo(static_cast<int>(end) + 1, text[end - 1], next);
        return true;
    }

    // The same for digits from `start` with a point at `point`: the fraction's digits follow.
    // Out of line, so that whole numbers keep their short path.
    [[gnu::noinline]] bool decimalEndingIn(Shortcut ending, std::size_t start, std::size_t point) {
        std::u16string_view text = m_state.text;
        if (!m_g.contains(N::DecimalRight, '.')) return false;
        std::size_t end = point + 1;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
            ++end;
        int next = end < text.size() ? codeOf(text[end]) : ParseState::kEndMarker;
        if (!m_g.takesShortcut(ending, next) || !m_g.contains(N::Fract, next)) return false;
        std::optional<double> nearest = nearestDouble(text.substr(start, end - start));
        if (!nearest) return false;
        value() = *nearest;
        m_state.skipTo(static_cast<int>(end) + 1, text[end - 1], next);
        return true;
    }

    // Const ::= Integer Real | "." Digit Fract Expon | ("#" | "&") NoDec
    void constant() {
        int start = pos();
        if (atDigit()) {
            value() = 0;
            integer();
            if (failed()) return;
            // Up to 15 digits of a whole number were gathered exactly.
            bool exact = pos() - start <= 15 && !at('.') && !at('E') && !at('e');
            real();
            if (failed()) return;
            if (!exact) roundDecimal(start);
        } else if (at('.')) {
            value() = 0;
            m_fractionWeight = 0.1;
            advance();
            if (!atDigit()) return report(N::DigitTerm);
            digit();
            value() = m_digitValue * m_fractionWeight + value();
            m_fractionWeight *= 0.1;
            fraction();
            if (failed()) return;
            exponent();
            if (failed()) return;
            roundDecimal(start);
        } else if (at('#') || at('&')) {
            value() = 0;
            advance();
            based();
        } else {
            report(N::Const);
        }
    }

    // A decimal literal read digit by digit gathers rounding errors (0.001 would read as
    // 0.0010000000000000002); its value is the double nearest to the text instead. Only a
    // value out of the double range keeps what the digits gave (infinity or zero).
    void roundDecimal(int start) {
        std::u16string_view digits = m_state.text.substr(static_cast<std::size_t>(start - 1),
                                                         static_cast<std::size_t>(pos() - start));
        if (std::optional<double> nearest = nearestDouble(digits)) value() = *nearest;
    }

    // Integer ::= Digit { Digit }
    void integer() {
        while (atDigit()) {
            digit();
            value() = value() * 10 + m_digitValue;
        }
        if (!in(N::DecimalRight)) report(N::DecimalRight);
    }

    // Real ::= "." Fract Expon | Expon
    void real() {
        if (at('.')) {
            m_fractionWeight = 0.1;
            advance();
            fraction();
            if (failed()) return;
            exponent();
        } else if (in(N::Real)) {
            exponent();
        } else {
            report(N::Real);
        }
    }

    // Fract ::= { Digit }
    void fraction() {
        while (atDigit()) {
            digit();
            value() = m_digitValue * m_fractionWeight + value();
            m_fractionWeight *= 0.1;
        }
        if (!in(N::Fract)) report(N::Fract);
    }

    // Expon ::= ("E" | "e") ("+" | "-" | empty) Int | empty
    void exponent() {
        if (!at('E') && !at('e')) {
            if (!in(N::Expon)) report(N::Expon);
            return;
        }
        advance();
        if (at('+') || at('-')) {
            m_exponentSign = at('+') ? 1 : -1;
            advance();
            if (!atDigit()) return report(N::Int);
        } else if (atDigit()) {
            m_exponentSign = 1;
        } else {
            return report(N::ExponentSign);
        }
        m_exponentValue = 0;
        while (atDigit()) {
            digit();
            // The exponent saturates: beyond a thousand the value is out of range anyway.
            if (m_exponentValue < 100000) m_exponentValue = m_exponentValue * 10 + m_digitValue;
        }
        if (!in(N::ExponentRight)) return report(N::ExponentRight);
        // Zero stays zero whatever its exponent (0E400 is not an overflow).
        if (value() != 0) value() = std::pow(10.0, m_exponentSign * m_exponentValue) * value();
    }

    // NoDec ::= ("H" | "X" | "h" | "x") Hex | ("O" | "o") Oct
    void based() {
        int base = 0;
        N list = N::Hex;
        N right = N::HexRight;
        if (at('H') || at('X') || at('h') || at('x')) {
            base = 16;
        } else if (at('O') || at('o')) {
            base = 8, list = N::Oct, right = N::OctRight;
        } else {
            return report(N::NoDec);
        }
        advance();
        if (!in(list)) return report(list);
        while (in(list)) {
            advance();
            int c = m_state.previousChar;
            m_digitValue = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            value() = value() * base + m_digitValue;
        }
        if (!in(right)) report(right);
    }

    // DMS ::= o|h Minutes | "'" Secundes | chr(34) | empty
    void degrees() {
        if (isDegreeMark(cur())) {
            advance();
            return minutes();
        }
        switch (cur()) {
            case '\'':
                value() = value() / 60;
                advance();
                return seconds();
            case '"':
                value() = value() / 3600;
                advance();
                return;
            default:
                break;
        }
        if (!in(N::DMS)) report(N::DMS);
    }

    // [8] ::= Const "'" Secundes | empty
    void minutes() {
        if (atLiteral()) {
            m_savedDegrees = value();
            constant();
            if (failed()) return;
            value() = value() / 60 + m_savedDegrees;
            expect('\'');
            seconds();
        } else if (!in(N::Minutes)) {
            report(N::Minutes);
        }
    }

    // Secundes ::= Const chr(34) | empty
    void seconds() {
        if (atLiteral()) {
            m_savedDegrees = value();
            constant();
            if (failed()) return;
            value() = value() / 3600 + m_savedDegrees;
            expect('"');
        } else if (!in(N::Secundes)) {
            report(N::Secundes);
        }
    }

    const GrammarVariant& m_g;
    Actions& m_actions;
    ParseState m_state;
    int m_depthLimit;
    int m_depth = 0;
    bool m_minusBeforeLiteral = false;
    double m_fractionWeight = 0.1;
    int m_digitValue = 0;
    int m_exponentValue = 0;
    int m_exponentSign = 1;
    double m_savedDegrees = 0;
};

}  // namespace tally
