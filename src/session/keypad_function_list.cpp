#include "session/keypad_function_list.h"

#include <algorithm>

#include "lang/blanks.h"
#include "lang/code_page.h"

namespace tally {

std::u16string functionNameOfCaption(std::u16string_view caption) {
    return trimBlanks(caption.substr(0, caption.find(u'(')));
}

bool KeypadFunctionList::contains(std::u16string_view name) const {
    return std::any_of(m_names->begin(), m_names->end(), [&](const std::u16string& listed) {
        return equalsIgnoringCase(listed, name);
    });
}

void KeypadFunctionList::toggle(std::u16string_view caption) {
    std::u16string name = functionNameOfCaption(caption);
    if (name.empty()) return;
    if (!add(name)) {
        std::erase_if(*m_names, [&](const std::u16string& listed) {
            return equalsIgnoringCase(listed, name);
        });
    }
}

bool KeypadFunctionList::add(std::u16string_view name) {
    if (name.empty() || contains(name)) return false;
    m_names->emplace_back(name);
    return true;
}

void KeypadFunctionList::lastToFront() {
    if (m_names->size() > 1) std::rotate(m_names->rbegin(), m_names->rbegin() + 1, m_names->rend());
}

void KeypadFunctionList::firstToEnd() {
    if (m_names->size() > 1) std::rotate(m_names->begin(), m_names->begin() + 1, m_names->end());
}

int KeypadFunctionList::shownColumns(int chosen) const {
    int entries = static_cast<int>(std::min<std::size_t>(m_names->size(), kLargestColumnCount));
    return std::clamp(std::min(chosen, entries), 1, kLargestColumnCount);
}

}  // namespace tally
