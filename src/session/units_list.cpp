#include "session/units_list.h"

#include <algorithm>
#include <numeric>

#include "engine/engine.h"
#include "engine/format_number.h"
#include "lang/code_page.h"
#include "session/unit_dimension.h"

namespace tally {

namespace {

std::u16string folded(std::u16string_view text) {
    std::u16string result(text);
    for (char16_t& c : result)
        c = lowerUnit(c);
    return result;
}

std::u16string rowOf(std::u16string_view name, std::u16string_view definition) {
    std::u16string row;
    row.reserve(name.size() + 1 + definition.size());
    for (char16_t c : name) {
        if (c != u' ') row.push_back(c);
    }
    row.push_back(u'=');
    for (char16_t c : definition) {
        if (c != u' ') row.push_back(c);
    }
    return row;
}

}  // namespace

UnitsList::UnitsList(Engine& engine) {
    const UnitTable& units = engine.units();
    auto count = static_cast<std::size_t>(units.count());
    m_rows.reserve(count);
    for (int record = 1; record <= units.count(); ++record) {
        const UnitRecord& unit = units.record(record);
        m_rows.push_back(rowOf(record == 1 ? u"pi" : unit.name, unit.definition));
    }
    // Evaluating a unit registers no unit, so the rows above stay all there are.
    m_dimensions.reserve(count);
    m_folded.reserve(count);
    m_foldedDimensions.reserve(count);
    for (const std::u16string& row : m_rows) {
        std::u16string name = unitNameOfRow(row);
        m_dimensions.push_back(name.empty() ? std::u16string()
                                            : unitInBaseUnits(engine, name).value_or(u""));
        m_folded.push_back(folded(row));
        m_foldedDimensions.push_back(folded(m_dimensions.back()));
    }
    m_sortedOrder.resize(m_rows.size());
    std::iota(m_sortedOrder.begin(), m_sortedOrder.end(), 0);
    std::stable_sort(m_sortedOrder.begin(), m_sortedOrder.end(), [this](int a, int b) {
        return lessIgnoringCase(m_rows[static_cast<std::size_t>(a)],
                                m_rows[static_cast<std::size_t>(b)]);
    });
    refilter();
}

std::u16string UnitsList::caption() const {
    return u"Список всех единиц измерения (всего " + formatNumber(unitCount()) + u")";
}

void UnitsList::setSorted(bool sorted) {
    if (m_sorted == sorted) return;
    m_sorted = sorted;
    refilter();
}

void UnitsList::setFilter(std::u16string_view filter) {
    std::u16string foldedFilter = folded(filter);
    if (foldedFilter == m_foldedFilter) {
        m_filter = filter;
        return;
    }
    m_filter = filter;
    m_foldedFilter = std::move(foldedFilter);
    refilter();
}

void UnitsList::refilter() {
    m_shown.clear();
    std::size_t count = m_rows.size();
    for (std::size_t i = 0; i < count; ++i) {
        int row = m_sorted ? m_sortedOrder[i] : static_cast<int>(i);
        auto index = static_cast<std::size_t>(row);
        if (!m_foldedFilter.empty() &&
            m_folded[index].find(m_foldedFilter) == std::u16string::npos &&
            m_foldedDimensions[index].find(m_foldedFilter) == std::u16string::npos) {
            continue;
        }
        m_shown.push_back(row);
    }
}

int UnitsList::shownIndexOf(int row) const {
    auto found = std::find(m_shown.begin(), m_shown.end(), row);
    return found == m_shown.end() ? -1 : static_cast<int>(found - m_shown.begin());
}

std::u16string unitNameOfRow(std::u16string_view row) {
    std::size_t equals = row.find(u'=');
    if (equals == std::u16string_view::npos || equals < 1) return {};
    return std::u16string(row.substr(0, equals));
}

}  // namespace tally
