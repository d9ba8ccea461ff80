#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "units/unit_definitions.h"

namespace tally {

// Names and captions of one menu: the window's control name, the design (English) caption
// and the Russian caption it shows at run time.
struct MenuCaptions {
    std::u16string menu;
    std::u16string english;
    std::u16string russian;
};

// A group of built-in functions: the same signatures fill its Functions submenu and the
// twin submenu from which the keypad's function list is set.
struct FunctionGroup {
    MenuCaptions captions;
    std::u16string keypadMenu;
    std::vector<std::u16string> signatures;
};

// A menu of plain captions (Constants, Expressions): the built-in items, then the user's.
struct TextMenu {
    MenuCaptions captions;
    std::u16string itemArray;
    std::vector<std::u16string> items;
};

// A submenu of the units menu. Its lines are registered in order; the Name array holds one
// caption per line and the Comb array the prefixed forms of the category's leading symbol.
// A category without a Name array shows both in its one Comb array.
struct UnitCategory {
    MenuCaptions captions;
    std::u16string nameArray;  // empty: the category has only its Comb array
    std::u16string combArray;
    std::vector<std::u16string> lines;
    MenuArray names;
    MenuArray comb;

    bool oneArray() const { return nameArray.empty(); }
    MenuArray& nameItems() { return oneArray() ? comb : names; }
    const MenuArray& nameItems() const { return oneArray() ? comb : names; }
};

// The menu of the user's own units; it starts with the placeholder item.
struct UserUnitsMenu {
    MenuCaptions captions;
    std::u16string itemArray;
    MenuArray items;
};

// Everything the window renders as insertion menus, in menu order.
struct CatalogueMenus {
    std::vector<FunctionGroup> functionGroups;
    TextMenu constants;
    TextMenu expressions;
    std::vector<UnitCategory> categories;
    UserUnitsMenu userUnits;
    std::size_t builtInConstantCount = 0;
    std::size_t builtInExpressionCount = 0;
};

// Replaces the placeholder of a fresh array, or appends. Unlike MenuArray::add it puts no
// separator in: a Name array lists every line as it comes.
inline void appendMenuItem(MenuArray& array, std::u16string caption) {
    if (array.onlyPlaceholder()) {
        array.items[0] = std::move(caption);
    } else {
        array.items.push_back(std::move(caption));
    }
}

}  // namespace tally
