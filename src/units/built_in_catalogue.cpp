#include "units/catalogue.h"
#include "units/catalogue_tables.h"
#include "units/catalogue_text.h"
#include "units/compound_unit_table.h"

namespace tally {

Catalogue::Catalogue(Engine& engine, Messages& messages, CompoundUnitTable& compoundUnits) {
    const CatalogueTables& tables = builtInCatalogueTables();
    if (!tablesFit(tables, engine)) {
        registerText(builtInCatalogueText(), engine, messages, compoundUnits);
        return;
    }
    installUnits(tables, engine);
    compoundUnits.setBuiltInRows(compoundRowsOf(tables));
    m_menusToBuild = &tables;
}

}  // namespace tally
