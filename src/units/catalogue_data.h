#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "units/catalogue_menus.h"

namespace tally {

// The catalogue as read from its text: the menus with their captions and lines, the unit
// arrays still holding their placeholders, and the compound-unit lines.
struct CatalogueData {
    CatalogueMenus menus;
    std::vector<std::u16string> compoundUnitLines;
};

struct [[nodiscard]] CatalogueParse {
    CatalogueData data;
    int errorLine = 0;  // 1-based line of the first fault
    std::u16string error;
    bool ok() const { return error.empty(); }
};

// Reads the line-oriented catalogue format described at the top of catalogue.txt.
CatalogueParse parseCatalogue(std::string_view utf8Text);

}  // namespace tally
