#include "document/result_lists.h"

#include <algorithm>

#include "lang/code_page.h"

namespace tally {

int VariablesList::update(std::u16string_view name, std::u16string_view value) {
    std::u16string item(name);
    item += u'=';
    item += value;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        std::u16string_view existing = m_items[i];
        if (existing.substr(0, existing.find(u'=')) == name) {
            m_items[i] = std::move(item);
            m_shown = static_cast<int>(i);
            return m_shown;
        }
    }
    m_items.push_back(std::move(item));
    m_shown = static_cast<int>(m_items.size() - 1);
    return m_shown;
}

std::u16string VariablesList::nameOf(std::u16string_view item) {
    std::size_t last = item.rfind(u'=');
    return std::u16string(item.substr(0, last == std::u16string_view::npos ? item.size() : last));
}

void UserFunctionList::update(std::u16string_view name,
                              const std::vector<std::u16string>& parameters,
                              std::u16string_view body) {
    std::u16string item(name);
    item += u'(';
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (i > 0) item += u',';
        item += parameters[i];
    }
    item += u")=";
    item += body;
    std::erase_if(m_items, [&](const std::u16string& existing) {
        return std::u16string_view(existing).substr(0, existing.find(u'(')) == name;
    });
    auto less = [](const std::u16string& a, const std::u16string& b) {
        return lessIgnoringCase(a, b);
    };
    m_items.insert(std::upper_bound(m_items.begin(), m_items.end(), item, less), std::move(item));
}

}  // namespace tally
