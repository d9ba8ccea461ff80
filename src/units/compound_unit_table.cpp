#include "units/compound_unit_table.h"

#include <iterator>

namespace tally {

namespace {

std::u16string trimmed(std::u16string_view text) {
    std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    std::size_t last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}

}  // namespace

ResultDimension parseCompoundUnit(std::u16string_view line) {
    std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return {trimmed(line), {}, true};
    return {trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)), true};
}

void CompoundUnitTable::setBuiltInRows(std::vector<ResultDimension> rows) {
    std::vector<ResultDimension> table = std::move(rows);
    table.push_back({{}, {}, false});
    auto user = userRows();
    table.insert(table.end(), std::make_move_iterator(user.begin()),
                 std::make_move_iterator(user.end()));
    m_builtInCount = static_cast<int>(table.size() - 1 - user.size());
    m_hasSeparator = true;
    m_rows = std::move(table);
}

}  // namespace tally
