#include "document/result_lists.h"

#include <algorithm>

#include "lang/code_page.h"

namespace tally {

int VariablesList::update(std::u16string_view name, std::u16string_view value) {
    std::u16string item(name);
    item += u'=';
    item += value;
    auto [found, added] =
        m_indexOf.try_emplace(std::u16string(name), static_cast<int>(m_items.size()));
    if (added) {
        m_items.push_back(std::move(item));
    } else {
        m_items[static_cast<std::size_t>(found->second)] = std::move(item);
    }
    m_shown = found->second;
    return m_shown;
}

void VariablesList::assign(std::vector<std::u16string> items) {
    m_items = std::move(items);
    m_indexOf.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        std::u16string_view item = m_items[i];
        m_indexOf.try_emplace(std::u16string(item.substr(0, item.find(u'='))), static_cast<int>(i));
    }
    m_shown = -1;
}

void VariablesList::removeAt(std::size_t index) {
    std::vector<std::u16string> items = std::move(m_items);
    items.erase(items.begin() + static_cast<long>(index));
    int shown = m_shown;
    assign(std::move(items));
    m_shown = shown;
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
    auto found = m_byName.find(std::u16string(name));
    if (found != m_byName.end()) {
        m_sorted.erase(found->second);
        found->second = m_sorted.insert(std::move(item));
    } else {
        m_byName.emplace(std::u16string(name), m_sorted.insert(std::move(item)));
    }
    m_laidOut = false;
}

void UserFunctionList::removeAt(std::size_t index) {
    auto item = std::next(m_sorted.begin(), static_cast<long>(index));
    m_byName.erase(nameOf(*item));
    m_sorted.erase(item);
    m_laidOut = false;
}

const std::vector<std::u16string>& UserFunctionList::items() const {
    if (!m_laidOut) {
        m_items.assign(m_sorted.begin(), m_sorted.end());
        m_laidOut = true;
    }
    return m_items;
}

}  // namespace tally
