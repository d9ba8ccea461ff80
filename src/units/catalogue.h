#pragma once

#include <string>

#include "units/catalogue_data.h"
#include "units/catalogue_menus.h"

namespace tally {

class CompoundUnitTable;
class Engine;
class Messages;

// The built-in catalogue registered into the engine, and the insertion menus built from it.
// Construction does the whole start-up work, in this order: the function groups (each
// sorted alphabetically without regard to case), the Constants menu, every unit category
// (its lines registered in catalogue order through UnitDefiner, its Name and Comb arrays
// filled), the Expressions menu, and the built-in rows of the compound-unit table.
class Catalogue {
  public:
    // The catalogue compiled into the program. Should its text not parse (a build defect the
    // tests catch), nothing is registered and dataError() tells why.
    Catalogue(Engine& engine, Messages& messages, CompoundUnitTable& compoundUnits);
    Catalogue(CatalogueData data, Engine& engine, Messages& messages,
              CompoundUnitTable& compoundUnits);

    const CatalogueMenus& menus() const { return m_menus; }
    // The user's constants, expressions and units are added to these menus.
    CatalogueMenus& menus() { return m_menus; }
    const std::u16string& dataError() const { return m_dataError; }

  private:
    void build(CatalogueData data, Engine& engine, Messages& messages,
               CompoundUnitTable& compoundUnits);

    CatalogueMenus m_menus;
    std::u16string m_dataError;
};

}  // namespace tally
