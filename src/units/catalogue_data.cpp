#include "units/catalogue_data.h"

#include "lang/code_page.h"
#include "lang/text_lines.h"

namespace tally {

namespace {

enum class Block { None, Functions, Constants, Expressions, Category, UserUnits, Compounds };

std::vector<std::u16string> words(std::u16string_view text) {
    std::vector<std::u16string> result;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t start = text.find_first_not_of(u' ', at);
        if (start == std::u16string_view::npos) break;
        std::size_t end = text.find(u' ', start);
        if (end == std::u16string_view::npos) end = text.size();
        result.emplace_back(text.substr(start, end - start));
        at = end;
    }
    return result;
}

// Reads the text line by line into `data`, remembering which block the current line
// belongs to.
class CatalogueReader {
  public:
    explicit CatalogueReader(CatalogueData& data) : m_data(data) {}

    // An empty text when the line was understood, the fault otherwise.
    std::u16string read(std::u16string_view keyword, std::u16string_view value);
    std::u16string finish() const;

  private:
    std::u16string open(std::u16string_view keyword, const std::vector<std::u16string>& names);
    MenuCaptions* captions();

    CatalogueData& m_data;
    Block m_block = Block::None;
    bool m_seenConstants = false;
    bool m_seenExpressions = false;
    bool m_seenUserUnits = false;
};

std::u16string CatalogueReader::open(std::u16string_view keyword,
                                     const std::vector<std::u16string>& names) {
    CatalogueMenus& menus = m_data.menus;
    auto once = [](bool& seen) {
        bool first = !seen;
        seen = true;
        return first;
    };
    if (keyword == u"functions" && names.size() == 2) {
        menus.functionGroups.push_back({{names[0], {}, {}}, names[1], {}});
        m_block = Block::Functions;
    } else if (keyword == u"constants" && names.size() == 2 && once(m_seenConstants)) {
        menus.constants.captions.menu = names[0];
        menus.constants.itemArray = names[1];
        m_block = Block::Constants;
    } else if (keyword == u"expressions" && names.size() == 2 && once(m_seenExpressions)) {
        menus.expressions.captions.menu = names[0];
        menus.expressions.itemArray = names[1];
        m_block = Block::Expressions;
    } else if (keyword == u"category" && (names.size() == 2 || names.size() == 3)) {
        UnitCategory category;
        category.captions.menu = names[0];
        if (names.size() == 3) category.nameArray = names[1];
        category.combArray = names.back();
        menus.categories.push_back(std::move(category));
        m_block = Block::Category;
    } else if (keyword == u"userunits" && names.size() == 2 && once(m_seenUserUnits)) {
        menus.userUnits.captions.menu = names[0];
        menus.userUnits.itemArray = names[1];
        m_block = Block::UserUnits;
    } else if (keyword == u"compounds" && names.empty()) {
        m_block = Block::Compounds;
    } else {
        return u"a malformed or repeated block header";
    }
    return {};
}

MenuCaptions* CatalogueReader::captions() {
    CatalogueMenus& menus = m_data.menus;
    switch (m_block) {
        case Block::Functions:
            return &menus.functionGroups.back().captions;
        case Block::Constants:
            return &menus.constants.captions;
        case Block::Expressions:
            return &menus.expressions.captions;
        case Block::Category:
            return &menus.categories.back().captions;
        case Block::UserUnits:
            return &menus.userUnits.captions;
        case Block::None:
        case Block::Compounds:
            return nullptr;
    }
    return nullptr;
}

std::u16string CatalogueReader::read(std::u16string_view keyword, std::u16string_view value) {
    if (keyword == u"english" || keyword == u"russian") {
        MenuCaptions* target = captions();
        if (target == nullptr) return u"a caption outside a menu block";
        (keyword == u"english" ? target->english : target->russian) = value;
        return {};
    }
    if (keyword == u"line") {
        CatalogueMenus& menus = m_data.menus;
        switch (m_block) {
            case Block::Functions:
                menus.functionGroups.back().signatures.emplace_back(value);
                return {};
            case Block::Constants:
                menus.constants.items.emplace_back(value);
                return {};
            case Block::Expressions:
                menus.expressions.items.emplace_back(value);
                return {};
            case Block::Category:
                menus.categories.back().lines.emplace_back(value);
                return {};
            case Block::Compounds:
                m_data.compoundUnitLines.emplace_back(value);
                return {};
            case Block::None:
            case Block::UserUnits:
                return u"a line outside a block that takes lines";
        }
    }
    return open(keyword, words(value));
}

std::u16string CatalogueReader::finish() const {
    const CatalogueMenus& menus = m_data.menus;
    if (!m_seenConstants || !m_seenExpressions || !m_seenUserUnits) {
        return u"the constants, expressions or userunits block is missing";
    }
    auto captioned = [](const MenuCaptions& c) { return !c.english.empty() && !c.russian.empty(); };
    bool allCaptioned = captioned(menus.constants.captions) &&
                        captioned(menus.expressions.captions) &&
                        captioned(menus.userUnits.captions);
    for (const FunctionGroup& group : menus.functionGroups) {
        allCaptioned = allCaptioned && captioned(group.captions);
    }
    for (const UnitCategory& category : menus.categories) {
        allCaptioned = allCaptioned && captioned(category.captions) && !category.lines.empty();
    }
    if (!allCaptioned) return u"a menu without its two captions, or a category without lines";
    return {};
}

}  // namespace

CatalogueParse parseCatalogue(std::string_view utf8Text) {
    CatalogueParse result;
    if (!isValidUtf8(utf8Text)) {
        result.error = u"the text is not valid UTF-8";
        return result;
    }
    CatalogueReader reader(result.data);
    std::u16string text = fromUtf8(utf8Text);
    int number = 0;
    for (std::u16string_view line : splitLines(std::u16string_view(text))) {
        ++number;
        if (line.empty() || line.front() == u'#') continue;
        std::size_t blank = line.find(u' ');
        std::u16string_view keyword = line.substr(0, blank);
        std::u16string_view value =
            blank == std::u16string_view::npos ? std::u16string_view() : line.substr(blank + 1);
        if (std::u16string fault = reader.read(keyword, value); !fault.empty()) {
            result.error = std::move(fault);
            result.errorLine = number;
            return result;
        }
    }
    result.error = reader.finish();
    if (!result.ok()) result.errorLine = number;
    return result;
}

}  // namespace tally
