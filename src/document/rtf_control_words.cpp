#include "document/rtf_control_words.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "document/rich_document.h"

namespace tally {
namespace {

struct Entry {
    std::string_view name;
    RtfWordMeaning meaning;
};

constexpr RtfWordMeaning skipped{RtfWord::SkippedGroup};

constexpr RtfWordMeaning symbol(char16_t unit) {
    return {RtfWord::Symbol, unit};
}

// In alphabetical order, for the reader of this list.
constexpr Entry kEntries[] = {
    {"aftncn", skipped},
    {"aftnsep", skipped},
    {"aftnsepc", skipped},
    {"annotation", skipped},
    {"ansicpg", {RtfWord::AnsiCodePage}},
    {"atnauthor", skipped},
    {"atndate", skipped},
    {"atnicn", skipped},
    {"atnid", skipped},
    {"atnparent", skipped},
    {"atnref", skipped},
    {"atntime", skipped},
    {"atrfend", skipped},
    {"atrfstart", skipped},
    {"author", skipped},
    {"b", {RtfWord::Bold}},
    {"background", skipped},
    {"bin", {RtfWord::Binary}},
    {"bkmkend", skipped},
    {"bkmkstart", skipped},
    {"blue", {RtfWord::Blue}},
    {"bullet", symbol(u'\u2022')},
    {"buptim", skipped},
    {"category", skipped},
    {"cell", symbol(u'\t')},  // table cells become tab-separated text
    {"cf", {RtfWord::ColourIndex}},
    {"colorschememapping", skipped},
    {"colortbl", {RtfWord::ColourTable}},
    {"comment", skipped},
    {"company", skipped},
    {"creatim", skipped},
    {"datafield", skipped},
    {"datastore", skipped},
    {"defchp", skipped},
    {"deff", {RtfWord::DefaultFont}},
    {"defpap", skipped},
    {"do", skipped},
    {"doccomm", skipped},
    {"docvar", skipped},
    {"emdash", symbol(u'\u2014')},
    {"emspace", symbol(u'\u2003')},
    {"endash", symbol(u'\u2013')},
    {"enspace", symbol(u'\u2002')},
    {"f", {RtfWord::Font}},
    {"falt", skipped},
    {"fchars", skipped},
    {"fcharset", {RtfWord::FontCharset}},
    {"ffdeftext", skipped},
    {"ffentrymcr", skipped},
    {"ffexitmcr", skipped},
    {"ffformat", skipped},
    {"ffhelptext", skipped},
    {"ffl", skipped},
    {"ffname", skipped},
    {"ffstattext", skipped},
    {"file", skipped},
    {"filetbl", skipped},
    {"fldinst", skipped},
    {"fname", skipped},
    {"fontemb", skipped},
    {"fontfile", skipped},
    {"fonttbl", {RtfWord::FontTable}},
    {"footer", skipped},
    {"footerf", skipped},
    {"footerl", skipped},
    {"footerr", skipped},
    {"footnote", skipped},
    {"formfield", skipped},
    {"fs", {RtfWord::FontSize}},
    {"ftncn", skipped},
    {"ftnsep", skipped},
    {"ftnsepc", skipped},
    {"generator", skipped},
    {"green", {RtfWord::Green}},
    {"header", skipped},
    {"headerf", skipped},
    {"headerl", skipped},
    {"headerr", skipped},
    {"hlinkbase", skipped},
    {"i", {RtfWord::Italic}},
    {"info", skipped},
    {"keycode", skipped},
    {"keywords", skipped},
    {"latentstyles", skipped},
    {"lchars", skipped},
    {"ldblquote", symbol(u'\u201C')},
    {"levelnumbers", skipped},
    {"leveltext", skipped},
    {"line", symbol(kLineSeparator)},
    {"linkval", skipped},
    {"listoverridetable", skipped},
    {"listpicture", skipped},
    {"listtable", skipped},
    // Numbering drawn for readers without lists; the numbers are not document text.
    {"listtext", skipped},
    {"lquote", symbol(u'\u2018')},
    {"ltrmark", symbol(u'\u200E')},
    {"manager", skipped},
    {"nonshppict", skipped},
    {"objalias", skipped},
    {"objclass", skipped},
    {"objdata", skipped},
    {"objname", skipped},
    {"objsect", skipped},
    {"objtime", skipped},
    {"operator", skipped},
    {"panose", skipped},
    {"par", {RtfWord::Paragraph}},
    {"pgdsctbl", skipped},
    {"pict", skipped},
    {"plain", {RtfWord::Plain}},
    {"pn", skipped},
    {"pntext", skipped},
    {"pntxta", skipped},
    {"pntxtb", skipped},
    {"printim", skipped},
    {"private", skipped},
    {"propname", skipped},
    {"protusertbl", skipped},
    {"qmspace", symbol(u'\u2005')},
    {"rdblquote", symbol(u'\u201D')},
    {"red", {RtfWord::Red}},
    {"revtbl", skipped},
    {"revtim", skipped},
    {"row", {RtfWord::Row}},
    {"rquote", symbol(u'\u2019')},
    {"rsidtbl", skipped},
    {"rtlmark", symbol(u'\u200F')},
    {"rxe", skipped},
    {"shp", skipped},
    {"shppict", skipped},
    {"sn", skipped},
    {"sp", skipped},
    {"stylesheet", skipped},
    {"subject", skipped},
    {"sv", skipped},
    {"tab", symbol(u'\t')},
    {"tc", skipped},
    {"template", skipped},
    {"themedata", skipped},
    {"title", skipped},
    {"txe", skipped},
    {"u", {RtfWord::Unicode}},
    {"uc", {RtfWord::UnicodeSkip}},
    {"userprops", skipped},
    {"xe", skipped},
    {"xmlnstbl", skipped},
    {"zwbo", symbol(u'\u200B')},
    {"zwj", symbol(u'\u200D')},
    {"zwnj", symbol(u'\u200C')},
};

// Control words are looked up once for every word of the file, so they sit in an open
// hash table built at compile time: one probe on average instead of a binary search.
constexpr std::size_t kSlotCount = 512;  // a power of two, over three times the entries
static_assert(std::size(kEntries) * 3 < kSlotCount);
constexpr std::size_t kLongestName = 32;  // RTF's limit; longer words are not looked up

constexpr std::size_t slotOf(std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash & (kSlotCount - 1);
}

constexpr std::array<std::int16_t, kSlotCount> buildSlots() {
    std::array<std::int16_t, kSlotCount> slots{};
    slots.fill(-1);
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        std::size_t slot = slotOf(kEntries[i].name);
        while (slots[slot] >= 0)
            slot = (slot + 1) & (kSlotCount - 1);
        slots[slot] = static_cast<std::int16_t>(i);
    }
    return slots;
}

constexpr std::array<std::int16_t, kSlotCount> kSlots = buildSlots();

}  // namespace

const RtfWordMeaning* lookUpRtfWord(std::string_view name) {
    if (name.empty() || name.size() > kLongestName) return nullptr;
    for (std::size_t slot = slotOf(name); kSlots[slot] >= 0; slot = (slot + 1) & (kSlotCount - 1)) {
        const Entry& entry = kEntries[kSlots[slot]];
        if (entry.name == name) return &entry.meaning;
    }
    return nullptr;
}

}  // namespace tally
