#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tally {

class Engine;

// Every registered unit as the units list window (frmUnits) shows it: one row per unit
// record, "name=definition" without blanks, the first row "pi=" and pi's value. The rows
// are offered in registration order or sorted without regard to case, narrowed by a filter,
// and each carries the unit's value in base units for the dimension column. Everything is
// worked out once, when the list is made, so that each keystroke in the filter only
// searches.
class UnitsList {
  public:
    explicit UnitsList(Engine& engine);

    // The number of unit records, every prefixed form included.
    int unitCount() const { return static_cast<int>(m_rows.size()); }
    // "Список всех единиц измерения (всего N)".
    std::u16string caption() const;
    // Row `row` of the registration order.
    const std::u16string& row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    // One of the unit in base units ("1000·м"), empty when its definition does not
    // evaluate.
    const std::u16string& dimension(int row) const {
        return m_dimensions[static_cast<std::size_t>(row)];
    }

    bool sorted() const { return m_sorted; }
    void setSorted(bool sorted);
    // Keeps the rows whose text (name and definition) contains `filter`, or whose dimension
    // does, without regard to case; an empty filter keeps every row.
    void setFilter(std::u16string_view filter);
    const std::u16string& filter() const { return m_filter; }

    // The rows shown: registration-order numbers, in the chosen order, filtered.
    const std::vector<int>& shown() const { return m_shown; }
    // Where a row stands among those shown, or -1.
    int shownIndexOf(int row) const;

  private:
    void refilter();

    std::vector<std::u16string> m_rows;
    std::vector<std::u16string> m_dimensions;
    // Rows and dimensions in lower case, for the filter.
    std::vector<std::u16string> m_folded;
    std::vector<std::u16string> m_foldedDimensions;
    std::vector<int> m_sortedOrder;
    bool m_sorted = true;
    std::u16string m_filter;
    std::u16string m_foldedFilter;
    std::vector<int> m_shown;
};

// The unit name a row inserts: the text before its first "=" when that stands at the
// second character or later; empty otherwise.
std::u16string unitNameOfRow(std::u16string_view row);

}  // namespace tally
