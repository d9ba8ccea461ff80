#pragma once

#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lang/code_page.h"

namespace tally {

// The decimal field txtDec over its history box cmbDec.
struct ResultBox {
    static constexpr std::u16string_view kDefaultText = u"Дополнительныe вычисления";

    std::u16string text{kDefaultText};  // what txtDec shows
    bool showsError = false;            // shown in the colour of "Syntax Error Text"
    std::vector<std::u16string> items;  // cmbDec
    int selectedIndex = -1;

    void showText(std::u16string value) {
        text = std::move(value);
        showsError = false;
    }
    void showMessage(std::u16string_view message) {
        text = message;
        showsError = true;
    }
};

// The variables box cmbVar: items of the form name "=" value. An update finds its item by
// name in constant time, however many variables there are.
class VariablesList {
  public:
    static constexpr std::u16string_view kCaption = u"Variables";

    // Replaces the item of `name` or adds one, and shows it; returns its index.
    int update(std::u16string_view name, std::u16string_view value);
    const std::vector<std::u16string>& items() const { return m_items; }
    void clear() { assign({}); }
    void removeAt(std::size_t index);
    // Replaces every item at once (a list read back from a file); one item per name.
    void assign(std::vector<std::u16string> items);
    // The item the box shows, or -1 when it rests on its caption.
    int shownIndex() const { return m_shown; }
    void showCaption() { m_shown = -1; }
    // The name an item inserts: its text before the last "=".
    static std::u16string nameOf(std::u16string_view item);

  private:
    std::vector<std::u16string> m_items;
    std::unordered_map<std::u16string, int> m_indexOf;  // by the text before the first "="
    int m_shown = -1;
};

// The list of user functions, name "(" parameters ")" "=" body, sorted without regard to
// case. A definition takes logarithmic time; the list is laid out when it is read.
class UserFunctionList {
  public:
    // Replaces the item of the same name (the text before "(") or adds one, in order.
    void update(std::u16string_view name, const std::vector<std::u16string>& parameters,
                std::u16string_view body);
    const std::vector<std::u16string>& items() const;
    void removeAt(std::size_t index);
    // The function an item defines: its text before "(".
    static std::u16string nameOf(std::u16string_view item) {
        return std::u16string(item.substr(0, item.find(u'(')));
    }

  private:
    struct Less {
        bool operator()(const std::u16string& a, const std::u16string& b) const {
            return lessIgnoringCase(a, b);
        }
    };
    using Sorted = std::multiset<std::u16string, Less>;

    Sorted m_sorted;
    std::unordered_map<std::u16string, Sorted::iterator> m_byName;
    mutable std::vector<std::u16string> m_items;
    mutable bool m_laidOut = true;
};

}  // namespace tally
