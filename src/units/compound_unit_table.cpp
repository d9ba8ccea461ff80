#include "units/compound_unit_table.h"

#include <iterator>
#include <optional>

#include "lang/blanks.h"
#include "lang/recognisers.h"

namespace tally {

namespace {

// How many different unit texts are remembered; past that the memory starts again, so that
// results in ever new units cannot make it grow without end.
constexpr std::size_t kRememberedUnits = 256;

// Whether a compound unit's expansion names the unit text: it is the text, or a numeric
// literal (not 0) before its first "*" or "·" times the text, and then `factor` is that
// literal. The expansion is compared first; the literal is read only when it may match.
bool expansionNames(std::u16string_view expansion, std::u16string_view unit, double& factor) {
    bool whole = expansion == unit;
    std::size_t restStart = expansion.size() - unit.size();
    bool afterFactor = expansion.size() > unit.size() + 1 && expansion.ends_with(unit) &&
                       (expansion[restStart - 1] == u'*' || expansion[restStart - 1] == u'·');
    if (!whole && !afterFactor) return false;
    std::size_t at = expansion.find_first_of(u"*·");
    // A literal starts with a digit, a point or a base mark; names never do.
    char16_t first = expansion.front();
    bool literalFirst =
        (first >= u'0' && first <= u'9') || first == u'.' || first == u'#' || first == u'&';
    if (at == std::u16string_view::npos || at == 0 || !literalFirst) return whole;
    std::optional<double> number = numericLiteralValue(expansion.substr(0, at));
    if (!number || *number == 0) return whole;
    // The factor splits at the first "*" or "·": the rest after it must be the unit text.
    if (at + 1 != restStart) return false;
    factor = *number;
    return true;
}

}  // namespace

ResultDimension parseCompoundUnit(std::u16string_view line) {
    std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return {trimBlanks(line), {}, true};
    return {trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1)), true};
}

void CompoundUnitTable::setBuiltInRows(std::vector<ResultDimension> rows) {
    rowsMayChange();
    std::vector<ResultDimension> table = std::move(rows);
    table.push_back({{}, {}, false});
    auto user = userRows();
    table.insert(table.end(), std::make_move_iterator(user.begin()),
                 std::make_move_iterator(user.end()));
    m_builtInCount = static_cast<int>(table.size() - 1 - user.size());
    m_hasSeparator = true;
    m_rows = std::move(table);
}

const ResultDimension* CompoundUnitTable::rowNaming(std::u16string_view unit,
                                                    double& factor) const {
    // The key is read through a text kept for the purpose, so that a look-up takes no room.
    m_key.assign(unit);
    auto remembered = m_matches.find(m_key);
    if (remembered == m_matches.end()) {
        Match match;
        for (int row = static_cast<int>(m_rows.size()) - 1; row >= 0; --row) {
            const ResultDimension& candidate = m_rows[static_cast<std::size_t>(row)];
            double rowFactor = 1;
            if (candidate.enabled && expansionNames(candidate.definition, unit, rowFactor)) {
                match = {row, rowFactor};
                break;
            }
        }
        if (m_matches.size() >= kRememberedUnits) m_matches.clear();
        remembered = m_matches.emplace(m_key, match).first;
    }
    if (remembered->second.row < 0) return nullptr;
    factor = remembered->second.factor;
    return &m_rows[static_cast<std::size_t>(remembered->second.row)];
}

}  // namespace tally
