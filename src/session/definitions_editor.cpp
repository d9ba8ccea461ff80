#include "session/definitions_editor.h"

#include <algorithm>

#include "document/calculation_driver.h"
#include "lang/blanks.h"
#include "session/unit_dimension.h"
#include "units/catalogue_menus.h"
#include "units/compound_unit_table.h"
#include "units/unit_definitions.h"

namespace tally {

namespace {

// The in-use marker of a compound unit as the list shows it: the built-in rows take two
// blanks when not in use, the user's rows three, as the definitions file writes them.
std::u16string_view markerOf(const ResultDimension& row, bool builtIn) {
    if (row.enabled) return u"+";
    return builtIn ? u"  " : u"   ";
}

std::u16string compoundRow(const ResultDimension& row, bool builtIn) {
    return std::u16string(markerOf(row, builtIn)) + u" " + row.name + u"   =   " + row.definition;
}

std::u16string unitRow(const UserRecord& record) {
    return record.name + u" = " + record.value + u" " + record.comment;
}

std::u16string unitMenuCaption(const UserRecord& record) {
    return printUnitCaption(unitLine(record));
}

}  // namespace

DefinitionsEditorCaptions definitionsEditorCaptions(DefinitionsMode mode) {
    switch (mode) {
        case DefinitionsMode::Constants:
            return {u"Константы, объявленные пользователем", u"Имя/Название/Текст:", u"Значение:",
                    u"Комментарий:"};
        case DefinitionsMode::Units:
            return {u"Единицы измерения, объявленные пользователем",
                    u"Название/я единицы измерения:", u"Выражение для единицы измерения:",
                    u"Комментарий:"};
        case DefinitionsMode::Expressions:
            return {u"Выражения, объявленные пользователем", u"Название/Текст:", u"Выражение:",
                    u"Комментарий:"};
        case DefinitionsMode::ResultDimensions:
            return {u"Распознавание размерностей результатов", u"Обозначение размерности:",
                    u"Размерность:", u""};
    }
    return {};
}

std::u16string normaliseSeparators(std::u16string_view text, const CalculationOptions& options) {
    std::u16string result(text);
    if (options.decimalPointIsDot || !options.convertSeparators) return result;
    for (char16_t& c : result) {
        if (c == u',') c = u'.';
    }
    for (char16_t& c : result) {
        if (c == u';') c = u',';
    }
    return result;
}

DefinitionsEditor::DefinitionsEditor(DefinitionsMode mode, DefinitionsSession session)
    : m_mode(mode), m_session(session) {}

// The session refers to the tables, so even a const editor reaches them for writing.
std::vector<UserRecord>* DefinitionsEditor::records() const {
    UserDefinitions& definitions = m_session.definitions;
    switch (m_mode) {
        case DefinitionsMode::Constants:
            return &definitions.constants;
        case DefinitionsMode::Units:
            return &definitions.units;
        case DefinitionsMode::Expressions:
            return &definitions.expressions;
        case DefinitionsMode::ResultDimensions:
            return nullptr;
    }
    return nullptr;
}

// The Constants and Expressions menus hold the built-in items, then one item per record.
std::vector<std::u16string>* DefinitionsEditor::menuItems() const {
    if (m_mode == DefinitionsMode::Constants) return &m_session.menus.constants.items;
    if (m_mode == DefinitionsMode::Expressions) return &m_session.menus.expressions.items;
    return nullptr;
}

std::size_t DefinitionsEditor::builtInMenuItems() const {
    return m_mode == DefinitionsMode::Constants ? m_session.menus.builtInConstantCount
                                                : m_session.menus.builtInExpressionCount;
}

std::vector<ResultDimension>& DefinitionsEditor::compoundRows() const {
    return m_session.driver.compoundUnits().rows();
}

int DefinitionsEditor::compoundUserStart() const {
    CompoundUnitTable& table = m_session.driver.compoundUnits();
    return static_cast<int>(table.rows().size() - table.userRows().size());
}

std::vector<std::u16string> DefinitionsEditor::rows() const {
    std::vector<std::u16string> result;
    if (m_mode == DefinitionsMode::ResultDimensions) {
        const std::vector<ResultDimension>& table = compoundRows();
        int builtIn = m_session.driver.compoundUnits().builtInCount();
        int userStart = compoundUserStart();
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            bool separator = i >= builtIn && i < userStart;
            result.push_back(separator
                                 ? std::u16string()
                                 : compoundRow(table[static_cast<std::size_t>(i)], i < builtIn));
        }
        return result;
    }
    for (const UserRecord& record : *records()) {
        result.push_back(m_mode == DefinitionsMode::Units ? unitRow(record)
                                                          : recordCaption(record));
    }
    return result;
}

int DefinitionsEditor::rowCount() const {
    if (m_mode == DefinitionsMode::ResultDimensions) return static_cast<int>(compoundRows().size());
    return static_cast<int>(records()->size());
}

bool DefinitionsEditor::isRecord(int row) const {
    if (row < 0 || row >= rowCount()) return false;
    if (m_mode != DefinitionsMode::ResultDimensions) return true;
    return row < m_session.driver.compoundUnits().builtInCount() || row >= compoundUserStart();
}

bool DefinitionsEditor::textsEditable(int row) const {
    if (!isRecord(row)) return false;
    return m_mode != DefinitionsMode::ResultDimensions || row >= compoundUserStart();
}

DefinitionFields DefinitionsEditor::fields(int row) const {
    if (!isRecord(row)) return {};
    auto index = static_cast<std::size_t>(row);
    if (m_mode == DefinitionsMode::ResultDimensions) {
        const ResultDimension& dimension = compoundRows()[index];
        return {dimension.name, dimension.definition, {}, dimension.enabled};
    }
    const UserRecord& record = (*records())[index];
    return {record.name, record.value, record.comment, true};
}

std::u16string DefinitionsEditor::normalised(std::u16string_view text) const {
    return normaliseSeparators(text, m_session.driver.options());
}

UserRecord DefinitionsEditor::recordOf(const DefinitionFields& fields) const {
    return {trimBlanks(fields.text1), trimBlanks(normalised(fields.text2)),
            trimBlanks(fields.text3)};
}

bool DefinitionsEditor::registerUnit(const UserRecord& record) {
    UnitDefiner definer(m_session.engine, m_session.messages);
    return definer.defineUnits(unitLine(record));
}

// A unit record has a menu item while its line is registered; the item of a record is
// found by its caption, which its line determines.
void DefinitionsEditor::replaceUnitMenuItem(const UserRecord* old, const UserRecord* now,
                                            bool accepted) {
    MenuArray& menu = m_session.menus.userUnits.items;
    std::vector<std::u16string>& items = menu.items;
    auto found = items.end();
    if (old != nullptr && !menu.onlyPlaceholder()) {
        found = std::find(items.begin(), items.end(), unitMenuCaption(*old));
    }
    if (now != nullptr && accepted) {
        if (found != items.end()) {
            *found = unitMenuCaption(*now);
        } else {
            appendMenuItem(menu, unitMenuCaption(*now));
        }
    } else if (found != items.end()) {
        items.erase(found);
        if (items.empty()) items.emplace_back(MenuArray::kPlaceholder);
    }
}

std::optional<int> DefinitionsEditor::add(const DefinitionFields& fields) {
    UserRecord record = recordOf(fields);
    if (record.name.empty()) return std::nullopt;
    if (m_mode == DefinitionsMode::ResultDimensions) {
        m_session.driver.compoundUnits().addUserRow(
            {std::move(record.name), std::move(record.value), fields.inUse});
        return rowCount() - 1;
    }
    if (m_mode == DefinitionsMode::Units) {
        bool accepted = registerUnit(record);
        replaceUnitMenuItem(nullptr, &record, accepted);
    } else {
        menuItems()->push_back(recordCaption(record));
    }
    records()->push_back(std::move(record));
    return rowCount() - 1;
}

std::optional<int> DefinitionsEditor::replace(int row, const DefinitionFields& fields) {
    if (!isRecord(row)) return std::nullopt;
    auto index = static_cast<std::size_t>(row);
    if (m_mode == DefinitionsMode::ResultDimensions && !textsEditable(row)) {
        compoundRows()[index].enabled = fields.inUse;
        return row;
    }
    UserRecord record = recordOf(fields);
    if (record.name.empty()) return std::nullopt;
    if (m_mode == DefinitionsMode::ResultDimensions) {
        compoundRows()[index] = {std::move(record.name), std::move(record.value), fields.inUse};
        return row;
    }
    UserRecord& stored = (*records())[index];
    if (m_mode == DefinitionsMode::Units) {
        bool accepted = registerUnit(record);
        replaceUnitMenuItem(&stored, &record, accepted);
    } else {
        std::vector<std::u16string>& items = *menuItems();
        std::size_t item = builtInMenuItems() + index;
        if (item < items.size()) items[item] = recordCaption(record);
    }
    stored = std::move(record);
    return row;
}

bool DefinitionsEditor::remove(int row) {
    if (!canDelete(row)) return false;
    auto index = static_cast<std::size_t>(row);
    if (m_mode == DefinitionsMode::ResultDimensions) {
        compoundRows().erase(compoundRows().begin() + row);
        return true;
    }
    std::vector<UserRecord>& stored = *records();
    if (m_mode == DefinitionsMode::Units) {
        // The unit stays registered until the program ends; it is no longer saved.
        replaceUnitMenuItem(&stored[index], nullptr, false);
    } else {
        std::vector<std::u16string>& items = *menuItems();
        std::size_t item = builtInMenuItems() + index;
        if (item < items.size()) items.erase(items.begin() + static_cast<std::ptrdiff_t>(item));
    }
    stored.erase(stored.begin() + row);
    return true;
}

std::optional<std::u16string> DefinitionsEditor::translate(std::u16string_view designation) {
    std::u16string text = trimBlanks(normalised(trimBlanks(designation)));
    if (text.empty()) return std::nullopt;
    return unitInBaseUnits(m_session.engine, text);
}

}  // namespace tally
