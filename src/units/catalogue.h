#pragma once

#include <string>
#include <string_view>

#include "units/catalogue_data.h"
#include "units/catalogue_menus.h"

namespace tally {

class CompoundUnitTable;
class Engine;
class Messages;
struct CatalogueTables;

// The built-in catalogue registered into the engine, and the insertion menus built from it.
// Construction does the whole start-up work, in this order: the function groups (each
// sorted alphabetically without regard to case), the Constants menu, every unit category
// (its lines registered in catalogue order through UnitDefiner, its Name and Comb arrays
// filled), the Expressions menu, and the built-in rows of the compound-unit table.
class Catalogue {
  public:
    // The catalogue compiled into the program. Should its text not parse (a build defect the
    // tests catch), nothing is registered and dataError() tells why. Its registered state is
    // generated at build time, so a fresh engine takes it without reading the text; a
    // catalogue whose registration shows messages is registered from its text, so that
    // they are shown as ever.
    Catalogue(Engine& engine, Messages& messages, CompoundUnitTable& compoundUnits);
    // A catalogue in the text format of catalogue.txt, registered from its text.
    Catalogue(std::string_view utf8Text, Engine& engine, Messages& messages,
              CompoundUnitTable& compoundUnits);
    Catalogue(CatalogueData data, Engine& engine, Messages& messages,
              CompoundUnitTable& compoundUnits);

    const CatalogueMenus& menus() const { return builtMenus(); }
    // The user's constants, expressions and units are added to these menus.
    CatalogueMenus& menus() { return builtMenus(); }
    const std::u16string& dataError() const { return m_dataError; }

  private:
    void registerText(std::string_view utf8Text, Engine& engine, Messages& messages,
                      CompoundUnitTable& compoundUnits);
    void build(CatalogueData data, Engine& engine, Messages& messages,
               CompoundUnitTable& compoundUnits);
    // Menus that come from the generated tables are built when they are first asked for:
    // the batch calculator never shows them.
    CatalogueMenus& builtMenus() const;

    mutable CatalogueMenus m_menus;
    mutable const CatalogueTables* m_menusToBuild = nullptr;
    std::u16string m_dataError;
};

}  // namespace tally
