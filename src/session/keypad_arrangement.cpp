#include "session/keypad_arrangement.h"

#include <array>
#include <string>

#include "lang/code_page.h"

namespace tally {

namespace {

// One place and the Tags that find it, in lower case without blanks: the Latin Tag or the
// style's caption first, then the others.
struct Place {
    KeySlot slot;
    std::array<std::u16string_view, 3> tags;
};

// Left edges of the digit block and of the operator columns beside it.
constexpr double kDigits = 14.25;
constexpr double kOperators = 17.5;
constexpr double kRightColumn = 19.75;

// The space bar, between the turning keys and the operation keys: its Tag is a blank.
constexpr KeySlot kSpaceBar{4, 2.25, 5.5};

constexpr std::array kPlaces = {
    // The top row.
    Place{{0, 0, 1}, {u"pi"}},
    Place{{0, 1, 1}, {u"`"}},
    Place{{0, 2, 1}, {u"()"}},
    // Q W E R T Y U I O P with the keys of Х Ъ Ж Э; 7 8 9 / =.
    Place{{1, 0, 1}, {u"q", u"й"}},
    Place{{1, 1, 1}, {u"w", u"ц"}},
    Place{{1, 2, 1}, {u"e", u"у"}},
    Place{{1, 3, 1}, {u"r", u"к"}},
    Place{{1, 4, 1}, {u"t", u"е"}},
    Place{{1, 5, 1}, {u"y", u"н"}},
    Place{{1, 6, 1}, {u"u", u"г"}},
    Place{{1, 7, 1}, {u"i", u"ш"}},
    Place{{1, 8, 1}, {u"o", u"щ"}},
    Place{{1, 9, 1}, {u"p", u"з"}},
    Place{{1, 10, 1}, {u"[]", u"х"}},
    Place{{1, 11, 1}, {u"|", u"ъ"}},
    Place{{1, 12, 1}, {u"\\", u"ж"}},
    Place{{1, 13, 1}, {u":", u"э"}},
    Place{{1, kDigits, 1}, {u"7"}},
    Place{{1, kDigits + 1, 1}, {u"8"}},
    Place{{1, kDigits + 2, 1}, {u"9"}},
    Place{{1, kOperators, 1}, {u"/"}},
    Place{{1, kOperators + 1, 1}, {u"="}},
    // A S D F G H J K L; 4 5 6 * ^ and the key that deletes.
    Place{{2, 0.5, 1}, {u"a", u"ф"}},
    Place{{2, 1.5, 1}, {u"s", u"ы"}},
    Place{{2, 2.5, 1}, {u"d", u"в"}},
    Place{{2, 3.5, 1}, {u"f", u"а"}},
    Place{{2, 4.5, 1}, {u"g", u"п"}},
    Place{{2, 5.5, 1}, {u"h", u"р"}},
    Place{{2, 6.5, 1}, {u"j", u"о"}},
    Place{{2, 7.5, 1}, {u"k", u"л"}},
    Place{{2, 8.5, 1}, {u"l", u"д"}},
    Place{{2, kDigits, 1}, {u"4"}},
    Place{{2, kDigits + 1, 1}, {u"5"}},
    Place{{2, kDigits + 2, 1}, {u"6"}},
    Place{{2, kOperators, 1}, {u"*"}},
    Place{{2, kOperators + 1, 1}, {u"^"}},
    Place{{2, kRightColumn, 1.5}, {u"<-"}},
    // The case key, Z X C V B N M and the key of Б; 1 2 3 -.
    Place{{3, 0, 1.5}, {u"lcase", u"ucase"}},
    Place{{3, 1.5, 1}, {u"z", u"я"}},
    Place{{3, 2.5, 1}, {u"x", u"ч"}},
    Place{{3, 3.5, 1}, {u"c", u"с"}},
    Place{{3, 4.5, 1}, {u"v", u"м"}},
    Place{{3, 5.5, 1}, {u"b", u"и"}},
    Place{{3, 6.5, 1}, {u"n", u"т"}},
    Place{{3, 7.5, 1}, {u"m", u"ь"}},
    Place{{3, 8.5, 1}, {u"%", u"б"}},
    Place{{3, kDigits, 1}, {u"1"}},
    Place{{3, kDigits + 1, 1}, {u"2"}},
    Place{{3, kDigits + 2, 1}, {u"3"}},
    Place{{3, kOperators, 1}, {u"-"}},
    // The function list's turning keys, the operation keys; 0 . , + and the key of Ю; "exe"
    // where a keyboard has its Enter.
    Place{{4, 0, 1}, {u"<<"}},
    Place{{4, 1, 1}, {u">>"}},
    Place{{4, 8, 1}, {u"ans", u"res", u"an"}},
    Place{{4, 9, 1}, {u"hex", u"#x", u"he"}},
    Place{{4, 10, 1}, {u"oct", u"#o"}},
    Place{{4, 11.25, 1.25}, {u"clr"}},
    Place{{4, kDigits, 1}, {u"0"}},
    Place{{4, kDigits + 1, 1}, {u"."}},
    Place{{4, kDigits + 2, 1}, {u","}},
    Place{{4, kOperators, 1}, {u"+"}},
    Place{{4, kOperators + 1, 1}, {u"!", u"ю"}},
    Place{{4, kRightColumn, 1.5}, {u"exe", u"do", u"ex"}},
};

std::u16string placeKey(std::u16string_view tag) {
    std::u16string key;
    for (char16_t c : tag) {
        if (c != u' ') key.push_back(lowerUnit(c));
    }
    return key;
}

}  // namespace

std::optional<KeySlot> slotOfTag(std::u16string_view tag) {
    const std::u16string key = placeKey(tag);
    if (key.empty()) return tag.empty() ? std::nullopt : std::optional(kSpaceBar);
    for (const Place& place : kPlaces) {
        for (std::u16string_view candidate : place.tags) {
            if (candidate == key) return place.slot;
        }
    }
    return std::nullopt;
}

}  // namespace tally
