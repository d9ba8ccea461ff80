#include "units/compound_unit_table.h"
#include "lang/blanks.h"

#include <iterator>

namespace tally {

ResultDimension parseCompoundUnit(std::u16string_view line) {
    std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return {trimBlanks(line), {}, true};
    return {trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1)), true};
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
