#pragma once

#include <string_view>

namespace tally {

// The built-in catalogue (catalogue.txt) as UTF-8 text, compiled into the program.
std::string_view builtInCatalogueText();

}  // namespace tally
