#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tally {

// A named compound unit used when results are printed: its name ("Дж"), its expansion in
// base units, which may start with a numeric factor ("кг·м^2/с^2", "1000*м^2"), and whether
// it is in use.
struct ResultDimension {
    std::u16string name;
    std::u16string definition;
    bool enabled = true;
};

// Splits "name = expansion" at its first "=" and trims both halves; the row is in use.
ResultDimension parseCompoundUnit(std::u16string_view line);

// The compound units: the built-in rows, an empty separator row, then the user's rows.
// Results are matched from the last row to the first, in-use rows only, so the user's rows
// take precedence. The separator row is never in use.
class CompoundUnitTable {
  public:
    // Puts `rows` in front as the built-in rows, followed by the separator; the user's rows
    // stay after it.
    void setBuiltInRows(std::vector<ResultDimension> rows);

    int builtInCount() const { return m_builtInCount; }
    // The mutable views below may change rows, so each forgets the remembered matches.
    std::span<ResultDimension> builtInRows() {
        rowsMayChange();
        return {m_rows.data(), static_cast<std::size_t>(m_builtInCount)};
    }
    std::span<const ResultDimension> builtInRows() const {
        return {m_rows.data(), static_cast<std::size_t>(m_builtInCount)};
    }
    std::span<ResultDimension> userRows() {
        rowsMayChange();
        return std::span(m_rows).subspan(userStart());
    }
    std::span<const ResultDimension> userRows() const {
        return std::span(m_rows).subspan(userStart());
    }
    void addUserRow(ResultDimension row) {
        rowsMayChange();
        m_rows.push_back(std::move(row));
    }
    void clearUserRows() {
        rowsMayChange();
        m_rows.resize(userStart());
    }

    // Every row in table order, as the printer of results searches them.
    std::vector<ResultDimension>& rows() {
        rowsMayChange();
        return m_rows;
    }
    const std::vector<ResultDimension>& rows() const { return m_rows; }

    // The last in-use row whose expansion names `unit` (a text in base units such as "м/с"),
    // with the numeric factor its expansion puts before the unit; nullptr when none does.
    // Answers are remembered until the rows change, as results repeat a few units.
    const ResultDimension* rowNaming(std::u16string_view unit, double& factor) const;
    // Changes whenever the rows may have changed, for those who remember answers too.
    std::uint64_t revision() const { return m_revision; }

  private:
    void rowsMayChange() {
        m_matches.clear();
        ++m_revision;
    }
    std::size_t userStart() const {
        return static_cast<std::size_t>(m_builtInCount) + (m_hasSeparator ? 1 : 0);
    }

    struct Match {
        int row = -1;
        double factor = 1;
    };

    std::vector<ResultDimension> m_rows;
    mutable std::unordered_map<std::u16string, Match> m_matches;
    mutable std::u16string m_key;
    std::uint64_t m_revision = 0;
    int m_builtInCount = 0;
    bool m_hasSeparator = false;
};

}  // namespace tally
