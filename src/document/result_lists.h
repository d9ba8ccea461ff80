#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// The variables box cmbVar: items of the form name "=" value.
class VariablesList {
  public:
    static constexpr std::u16string_view kCaption = u"Variables";

    // Replaces the item of `name` or adds one; returns its index.
    int update(std::u16string_view name, std::u16string_view value);
    const std::vector<std::u16string>& items() const { return m_items; }
    void clear() { m_items.clear(); }
    void removeAt(std::size_t index) { m_items.erase(m_items.begin() + index); }
    // Replaces every item at once (a list read back from a file); one item per name.
    void assign(std::vector<std::u16string> items) { m_items = std::move(items); }
    // The name an item inserts: its text before the last "=".
    static std::u16string nameOf(std::u16string_view item);

  private:
    std::vector<std::u16string> m_items;
};

// The sorted list of user functions: name "(" parameters ")" "=" body.
class UserFunctionList {
  public:
    // Replaces the item of the same name (the text before "(") or adds one, in order.
    void update(std::u16string_view name, const std::vector<std::u16string>& parameters,
                std::u16string_view body);
    const std::vector<std::u16string>& items() const { return m_items; }
    void removeAt(std::size_t index) { m_items.erase(m_items.begin() + index); }
    // The function an item defines: its text before "(".
    static std::u16string nameOf(std::u16string_view item) {
        return std::u16string(item.substr(0, item.find(u'(')));
    }

  private:
    std::vector<std::u16string> m_items;
};

}  // namespace tally
