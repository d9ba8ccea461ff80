#include "session/removal.h"

#include <algorithm>
#include <functional>

#include "document/calculation_driver.h"
#include "engine/engine.h"
#include "lang/code_page.h"

namespace tally {

namespace {

// A selection that pointed at a removed entry points nowhere; one after it moves up.
void keepSelection(int& selected, std::size_t removed) {
    int row = static_cast<int>(removed);
    if (selected == row) {
        selected = -1;
    } else if (selected > row) {
        --selected;
    }
}

}  // namespace

RemovalCaptions removalCaptions(RemovalMode mode) {
    switch (mode) {
        case RemovalMode::UserFunctions:
            return {u"Удаление функций", u"Функции, объявленные пользователем", u"Удалить"};
        case RemovalMode::Variables:
            return {u"Освобождение переменных", u"Переменные", u"Освободить"};
        case RemovalMode::AddedCalculations:
            return {u"Удаление дополнительных вычислений", u"Дополнительные вычисления",
                    u"Удалить"};
    }
    return {};
}

std::vector<std::u16string> Removal::rows() const {
    CalculationDriver& driver = m_session.driver;
    switch (m_mode) {
        case RemovalMode::UserFunctions:
            return driver.userFunctions().items();
        case RemovalMode::Variables:
            return driver.variables().items();
        case RemovalMode::AddedCalculations:
            // The decimal field's box shows each calculation with its value.
            if (driver.resultBox().items.size() == driver.addedCalculations().size()) {
                return driver.resultBox().items;
            }
            return driver.addedCalculations();
    }
    return {};
}

int Removal::remove(std::vector<int> rows) {
    auto count = static_cast<int>(this->rows().size());
    std::erase_if(rows, [count](int row) { return row < 0 || row >= count; });
    // From the last row up, so that the rows still to go keep their numbers.
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) return 0;

    ResultBox& box = m_session.driver.resultBox();
    bool selectedRemoved = false;
    for (int row : rows) {
        auto index = static_cast<std::size_t>(row);
        switch (m_mode) {
            case RemovalMode::UserFunctions:
                removeUserFunction(index);
                break;
            case RemovalMode::Variables:
                removeVariable(index);
                break;
            case RemovalMode::AddedCalculations:
                selectedRemoved = selectedRemoved || box.selectedIndex == row;
                removeAddedCalculation(index);
                break;
        }
    }
    if (m_mode == RemovalMode::AddedCalculations) {
        // The field keeps what it showed, unless that was a calculation now removed.
        ResultBox shown = box;
        m_session.driver.rebuildResultBox(false);
        if (!selectedRemoved && shown.selectedIndex < 0) {
            box.text = shown.text;
            box.showsError = shown.showsError;
        }
    }
    return static_cast<int>(rows.size());
}

void Removal::removeUserFunction(std::size_t row) {
    UserFunctionList& list = m_session.driver.userFunctions();
    std::u16string name = UserFunctionList::nameOf(list.items()[row]);
    m_session.engine.removeUserFunction(name);
    list.removeAt(row);
    std::erase_if(m_session.definitions.keypadFunctions,
                  [&](const std::u16string& entry) { return equalsIgnoringCase(entry, name); });
}

void Removal::removeVariable(std::size_t row) {
    VariablesList& list = m_session.driver.variables();
    m_session.engine.freeVariable(VariablesList::nameOf(list.items()[row]));
    list.removeAt(row);
    keepSelection(m_session.definitions.variablesSelection, row);
}

void Removal::removeAddedCalculation(std::size_t row) {
    std::vector<std::u16string>& list = m_session.driver.addedCalculations();
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(row));
    ResultBox& box = m_session.driver.resultBox();
    if (row < box.items.size())
        box.items.erase(box.items.begin() + static_cast<std::ptrdiff_t>(row));
    keepSelection(box.selectedIndex, row);
}

}  // namespace tally
