#include "units/catalogue.h"

#include <algorithm>

#include "lang/code_page.h"
#include "units/catalogue_tables.h"
#include "units/compound_unit_table.h"
#include "units/unit_definitions.h"

namespace tally {

namespace {

// Puts the prefixed forms one line produced into the category's Comb array. A fresh array
// takes them as they are. In a category with one array the family starts at the array's
// last item, the line's own caption, so Frequency opens with "экса...  ЭГц = 1e18·Гц".
// The array holds one family (multiples, separator, submultiples): the forms of a later
// line are not shown.
void mergePrefixedForms(UnitCategory& category, MenuArray&& forms) {
    if (forms.onlyPlaceholder()) return;
    MenuArray& comb = category.comb;
    if (comb.onlyPlaceholder()) {
        comb = std::move(forms);
        return;
    }
    bool family = forms.items.size() > 1;
    if (!family || !category.oneArray()) return;
    comb.items.pop_back();
    comb.items.insert(comb.items.end(), std::make_move_iterator(forms.items.begin()),
                      std::make_move_iterator(forms.items.end()));
}

void buildCategory(UnitCategory& category, UnitDefiner& definer) {
    MenuArray& names = category.nameItems();
    for (std::size_t i = 0; i < category.lines.size(); ++i) {
        const std::u16string& line = category.lines[i];
        appendMenuItem(names, printUnitCaption(line));
        MenuArray forms;
        definer.defineUnits(line, &forms);
        mergePrefixedForms(category, std::move(forms));
        if (i == 0 && category.lines.size() > 1 && !category.oneArray()) {
            names.items.emplace_back(MenuArray::kSeparator);
        }
    }
}

}  // namespace

Catalogue::Catalogue(std::string_view utf8Text, Engine& engine, Messages& messages,
                     CompoundUnitTable& compoundUnits) {
    registerText(utf8Text, engine, messages, compoundUnits);
}

void Catalogue::registerText(std::string_view utf8Text, Engine& engine, Messages& messages,
                             CompoundUnitTable& compoundUnits) {
    CatalogueParse parse = parseCatalogue(utf8Text);
    if (!parse.ok()) {
        m_dataError = u"catalogue.txt, line " + fromUtf8(std::to_string(parse.errorLine)) + u": " +
                      parse.error;
        return;
    }
    build(std::move(parse.data), engine, messages, compoundUnits);
}

Catalogue::Catalogue(CatalogueData data, Engine& engine, Messages& messages,
                     CompoundUnitTable& compoundUnits) {
    build(std::move(data), engine, messages, compoundUnits);
}

void Catalogue::build(CatalogueData data, Engine& engine, Messages& messages,
                      CompoundUnitTable& compoundUnits) {
    m_menus = std::move(data.menus);
    // Constants, expressions and each function group show in alphabetical order, without
    // regard to case; unit categories keep the catalogue's order.
    auto sorted = [](std::vector<std::u16string>& items) {
        std::stable_sort(items.begin(), items.end(),
                         [](const std::u16string& a, const std::u16string& b) {
                             return lessIgnoringCase(a, b);
                         });
    };
    for (FunctionGroup& group : m_menus.functionGroups)
        sorted(group.signatures);
    sorted(m_menus.constants.items);
    sorted(m_menus.expressions.items);
    m_menus.builtInConstantCount = m_menus.constants.items.size();
    UnitDefiner definer(engine, messages);
    for (UnitCategory& category : m_menus.categories) {
        buildCategory(category, definer);
    }
    m_menus.builtInExpressionCount = m_menus.expressions.items.size();
    std::vector<ResultDimension> rows;
    rows.reserve(data.compoundUnitLines.size());
    for (const std::u16string& line : data.compoundUnitLines) {
        rows.push_back(parseCompoundUnit(line));
    }
    compoundUnits.setBuiltInRows(std::move(rows));
}

CatalogueMenus& Catalogue::builtMenus() const {
    if (m_menusToBuild != nullptr) {
        m_menus = menusOf(*m_menusToBuild);
        m_menusToBuild = nullptr;
    }
    return m_menus;
}

}  // namespace tally
