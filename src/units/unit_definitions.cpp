#include "units/unit_definitions.h"

#include "engine/engine.h"
#include "engine/format_number.h"
#include "engine/message_window.h"
#include "lang/blanks.h"
#include "lang/code_page.h"
#include "lang/recognisers.h"
#include "units/prefix_table.h"

namespace tally {

namespace {

constexpr std::u16string_view kDimensionTitle = u"Tally Ошибка размерности";

std::vector<std::u16string> splitOn(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, end == std::u16string_view::npos ? end : end - start));
        if (end == std::u16string_view::npos) return parts;
        start = end + 1;
    }
}

// Names and definition of a line: the last "=" splits them unless it ends the line.
struct SplitLine {
    std::u16string names;
    std::u16string definition;
    bool hasDefinition = false;
};

SplitLine splitLine(std::u16string_view line) {
    std::u16string text = trimBlanks(line);
    SplitLine result;
    std::size_t equals = text.rfind(u'=');
    if (equals == std::u16string::npos || equals + 1 == text.size()) {
        result.names = text;
        return result;
    }
    result.names = text.substr(0, equals);
    for (char16_t c : std::u16string_view(text).substr(equals + 1)) {
        if (c != u' ') result.definition.push_back(c);
    }
    result.hasDefinition = true;
    return result;
}

bool strip(std::u16string& element, char16_t open, char16_t close) {
    if (element.size() > 2 && element.front() == open && element.back() == close) {
        element = element.substr(1, element.size() - 2);
        return true;
    }
    return false;
}

enum class PrefixMark { None, Names, Symbols };

struct Element {
    std::u16string name;
    bool displayOnly = false;
    bool longName = false;
    bool symbol = false;
    PrefixMark mark = PrefixMark::None;
};

// Removes the prefix mark: the first "..." or ".." wherever it stands, otherwise a single
// leading ".".
PrefixMark stripPrefixMark(std::u16string& name) {
    for (std::u16string_view dots : {u"...", u".."}) {
        if (std::size_t at = name.find(dots); at != std::u16string::npos) {
            name.erase(at, dots.size());
            return PrefixMark::Names;
        }
    }
    if (!name.empty() && name.front() == u'.') {
        name.erase(0, 1);
        return PrefixMark::Symbols;
    }
    return PrefixMark::None;
}

Element parseElement(std::u16string_view text) {
    Element e;
    e.name = trimBlanks(text);
    e.displayOnly = strip(e.name, u'{', u'}');
    e.longName = strip(e.name, u'(', u')');
    e.symbol = strip(e.name, u'[', u']');
    e.mark = stripPrefixMark(e.name);
    return e;
}

// A Cyrillic first letter chooses the Russian prefix columns.
bool russian(const std::u16string& name) {
    return !name.empty() && codeOf(name.front()) >= 192 && codeOf(name.front()) <= 255;
}

}  // namespace

void MenuArray::add(std::u16string caption) {
    if (onlyPlaceholder()) {
        items[0] = std::move(caption);
        return;
    }
    // Multiples first, then a separator, then submultiples.
    if (items.size() == 8) items.emplace_back(kSeparator);
    items.push_back(std::move(caption));
}

UnitDefiner::Outcome UnitDefiner::registerName(const std::u16string& name,
                                               const std::u16string& definition) {
    if (!isName(name)) return Outcome::NotAName;
    if (std::optional<RegisteredUnit> existing = m_engine.findUnit(name)) {
        std::u16string text = u"Единица измерения с таким именем уже была объявлена: " + name +
                              u"=" + formatNumber(existing->value) +
                              u" Изменение значения может повлиять на значения производных единиц";
        if (!m_messages.confirm(kDimensionTitle, text)) return Outcome::Declined;
    }
    m_engine.defineUnit(name, definition);
    return Outcome::Registered;
}

bool UnitDefiner::defineUnits(std::u16string_view line, MenuArray* prefixedForms) {
    SplitLine split = splitLine(line);
    bool full = prefixedForms != nullptr && prefixedForms->items.size() >= 19;
    bool allAccepted = true;
    for (const std::u16string& text : splitOn(split.names, u',')) {
        Element e = parseElement(text);
        if (e.displayOnly) continue;
        if (e.name == u"Me") {
            m_messages.notify(kDimensionTitle, u"Имя зарезервировано: " + e.name);
            continue;
        }
        Outcome outcome = registerName(e.name, split.definition);
        if (outcome == Outcome::Declined) {
            allAccepted = false;
            continue;
        }
        bool listed = e.symbol && prefixedForms != nullptr && !full;
        if (e.mark == PrefixMark::None) {
            if (listed && prefixedForms->onlyPlaceholder()) {
                prefixedForms->add(outcome == Outcome::Registered && split.hasDefinition
                                       ? e.name + u" = " + split.definition
                                       : e.name);
            }
            continue;
        }
        int column = (e.mark == PrefixMark::Names ? 0 : 1) + (russian(e.name) ? 2 : 0);
        for (int r = kFirstAppliedPrefix; r <= kLastAppliedPrefix; ++r) {
            const Prefix& p = prefixTable()[static_cast<std::size_t>(r)];
            std::u16string_view cells[] = {p.englishName, p.englishSymbol, p.russianName,
                                           p.russianSymbol};
            std::u16string prefixed = std::u16string(cells[column]) + e.name;
            std::u16string definition = std::u16string(p.factor) + u"·" + e.name;
            Outcome prefixedOutcome = Outcome::NotAName;
            if (outcome == Outcome::Registered) {
                prefixedOutcome = registerName(prefixed, definition);
                if (prefixedOutcome == Outcome::Declined) allAccepted = false;
            }
            if (!listed) continue;
            std::u16string caption;
            if (e.mark == PrefixMark::Symbols) {
                caption = std::u16string(cells[column - 1]) + u"...  ";
            }
            caption += prefixed;
            if (outcome == Outcome::Registered) caption += u" = " + definition;
            prefixedForms->add(std::move(caption));
        }
    }
    return allAccepted;
}

std::u16string printUnitCaption(std::u16string_view line) {
    SplitLine split = splitLine(line);
    std::u16string suffix = split.hasDefinition ? u"     = " + split.definition : u"";
    std::u16string longName;
    std::u16string symbol;
    std::u16string last;
    for (const std::u16string& text : splitOn(split.names, u',')) {
        Element e = parseElement(text);
        if (e.longName) {
            longName = e.name;
            for (char16_t& c : longName) {
                if (c == u'_') c = u' ';
            }
        }
        if (e.symbol) symbol = e.name;
        last = e.name;
    }
    if (!longName.empty() && !symbol.empty()) return longName + u",   (" + symbol + u")" + suffix;
    if (!longName.empty()) return longName + suffix;
    if (!symbol.empty()) return symbol + suffix;
    return last + suffix;
}

std::u16string unitOfCaption(std::u16string_view caption) {
    std::u16string text = trimBlanks(caption);
    std::size_t equals = text.rfind(u'=');
    if (equals != std::u16string::npos && equals + 1 < text.size()) text = text.substr(0, equals);
    std::size_t end = text.find_last_not_of(u" ,\t");
    if (end == std::u16string::npos) return {};
    std::size_t start = text.find_last_of(u" ,\t", end);
    std::u16string piece = text.substr(start == std::u16string::npos ? 0 : start + 1,
                                       end - (start == std::u16string::npos ? 0 : start + 1) + 1);
    if (piece.size() >= 2 && piece.front() == u'(' && piece.back() == u')') {
        piece = piece.substr(1, piece.size() - 2);
    }
    return piece;
}

}  // namespace tally
