#include "session/keypad_keys.h"

#include <array>

#include "lang/code_page.h"

namespace tally {

namespace {

// Windows-1251 codes of the Russian capitals on the keys of the Latin letters A..Z, as a
// Russian keyboard has them; the table runs over the key indexes 0..33.
constexpr std::array<int, 34> kRussianLetters = {
    0,                                                                // case key
    212, 200, 209, 194, 211, 192, 207, 208, 216, 206, 203, 196, 220,  // A..M
    210, 217, 199, 201, 202, 219, 197, 195, 204, 214, 215, 205, 223,  // N..Z
    0,   0,   0,   0,   0,   0,   0};

// The six keys that carry a Russian letter besides the 26 letter keys, with their Tags in
// the two layouts: Latin text, Russian capital (Windows-1251).
struct ExtraLetter {
    int index;
    std::u16string_view latin;
    int russianCode;
};
constexpr std::array<ExtraLetter, 6> kExtraLetters = {{
    {41, u"\\", 0xC6},   // Ж
    {42, u":", 0xDD},    // Э
    {46, u"%", 0xC1},    // Б
    {48, u"!", 0xDE},    // Ю
    {51, u"[ ]", 0xD5},  // Х
    {55, u"|", 0xDA},    // Ъ
}};

const ExtraLetter* extraLetter(int index) {
    for (const ExtraLetter& extra : kExtraLetters) {
        if (extra.index == index) return &extra;
    }
    return nullptr;
}

// Tags of the character keys that do not change with the layout or the case.
std::u16string_view fixedTag(int index) {
    static constexpr std::array<std::u16string_view, kLetterKeyCount> kTags = {
        u"",  u"",  u"",   u"",  u"",   u"",   u"",  u"",  u"",    u"",  u"",  u"",
        u"",  u"",  u"",   u"",  u"",   u"",   u"",  u"",  u"",    u"",  u"",  u"",
        u"",  u"",  u"",   u" ", u".",  u",",  u"0", u"1", u"2",   u"3", u"4", u"5",
        u"6", u"7", u"8",  u"9", u"/",  u"",   u"",  u"*", u"^",   u"-", u"",  u"+",
        u"",  u"=", u"()", u"",  u"<-", u"pi", u"`", u"",  u"Last"};
    return kTags[static_cast<std::size_t>(index)];
}

// Right-button texts of the digit keys 0..9.
constexpr std::array<std::u16string_view, 10> kDigitAlternatives = {u"°", u";", u"{", u"}", u"#",
                                                                    u"[", u"]", u"&", u"(", u")"};

char16_t letterUnit(int code, bool capital) {
    return unitOf(capital ? code : code + 32);
}

// The same letter in the other case: 32 codes up from a capital, 32 down from a small one.
std::u16string otherCase(const std::u16string& letter, bool capitals) {
    if (letter.size() != 1) return {};
    int code = codeOf(letter.front());
    return std::u16string(1, unitOf(capitals ? code + 32 : code - 32));
}

KeyAction type(std::u16string text, int stepBack = 0) {
    KeyAction action;
    action.command = KeyCommand::Type;
    action.text = std::move(text);
    action.stepBack = stepBack;
    return action;
}

KeyAction command(KeyCommand what) {
    KeyAction action;
    action.command = what;
    return action;
}

KeyAction letterKeyAction(int index, KeyButton button, const KeypadLetters& letters) {
    const bool russian = letters.language() == KeypadLanguage::Russian;
    const bool left = button == KeyButton::Left;
    if (letters.isLetter(index)) {
        std::u16string letter = letters.tag(index);
        return type(left ? letter : otherCase(letter, letters.capitals()));
    }
    // With the left button most keys type their own Tag.
    const std::u16string own(fixedTag(index));
    if (index >= kFirstDigitKey && index < kFirstDigitKey + 10) {
        int digit = index - kFirstDigitKey;
        return type(left ? own
                         : std::u16string(kDigitAlternatives[static_cast<std::size_t>(digit)]));
    }
    switch (index) {
        case kCaseKey:
            return command(left ? KeyCommand::SwitchCase : KeyCommand::SwitchLanguage);
        case kSpaceKey:
            return type(own);
        case 28:
            return type(left ? own : u"'");
        case 29:
            return type(left ? own : u"\"");
        case 40:
            return type(left ? own : u"{}");
        case 41:
        case 42:
        case 46:
        case 48:
            // Latin mode: their signs, with nothing on the right button.
            return left ? type(std::u16string(extraLetter(index)->latin)) : KeyAction{};
        case 43:
            return type(left ? own : u"·");
        case 44:
            return left ? type(own) : KeyAction{};
        case kMinusKey:
            return type(left ? own : u"_");
        case kPlusKey:
            if (left) return type(own);
            return russian ? type(u"||", 1) : KeyAction{};
        case kEqualsKey: {
            KeyAction equals = type(own);
            if (!left) equals.command = KeyCommand::TypeAtLineEnd;
            return equals;
        }
        case kBracketsKey:
            if (left) return type(own, 1);
            return russian ? type(u"[]", 1) : KeyAction{};
        case 51:
            return left ? type(u"[]", 1) : KeyAction{};
        case kBackspaceKey:
            return command(left ? KeyCommand::DeleteBefore : KeyCommand::DeleteAfter);
        case 53:
            return type(left ? own : u"e");
        case 54:
            return type(left ? own : u"$");
        case 55:
            return left ? type(u"||", 1) : KeyAction{};
        default:
            return {};
    }
}

// Operators put "Ans" first on an empty line: "*" with either button; with the left button
// in Latin mode the keys "/" to "=", in Russian mode "/", "^", "-" and "+".
bool ansFirst(int index, KeyButton button, const KeypadLetters& letters) {
    if (index == 43) return true;
    if (button != KeyButton::Left) return false;
    if (letters.language() == KeypadLanguage::Latin) return index >= 40 && index <= kEqualsKey;
    return index == 40 || index == 44 || index == kMinusKey || index == kPlusKey;
}

KeyAction operKeyAction(int index, KeyButton button) {
    const bool left = button == KeyButton::Left;
    switch (index) {
        case kExeKey:
            return command(left ? KeyCommand::Calculate : KeyCommand::NextLine);
        case kHexKey:
            return left ? type(u"#x") : KeyAction{};
        case kOctKey:
            return left ? type(u"#o") : KeyAction{};
        case kClearKey:
            return left ? command(KeyCommand::Clear) : KeyAction{};
        case kAnsKey:
            return left ? type(u"Ans") : KeyAction{};
        case kLastToFrontKey:
            return left ? command(KeyCommand::LastToFront) : KeyAction{};
        case kFirstToEndKey:
            return left ? command(KeyCommand::FirstToEnd) : KeyAction{};
        default:
            return {};
    }
}

}  // namespace

int russianLetterCode(int index) {
    if (index < 0 || index >= static_cast<int>(kRussianLetters.size())) return 0;
    return kRussianLetters[static_cast<std::size_t>(index)];
}

bool KeypadLetters::isLetter(int index) const {
    if (index >= kFirstLetterKey && index <= kLastLetterKey) return true;
    return m_language == KeypadLanguage::Russian && extraLetter(index) != nullptr;
}

std::u16string KeypadLetters::tag(int index) const {
    if (index < 0 || index >= kLetterKeyCount) return {};
    if (index == kCaseKey) return m_capitals ? u"Lcase" : u"Ucase";
    const bool russian = m_language == KeypadLanguage::Russian;
    if (index >= kFirstLetterKey && index <= kLastLetterKey) {
        int code = russian ? russianLetterCode(index) : 'A' + index - kFirstLetterKey;
        return std::u16string(1, letterUnit(code, m_capitals));
    }
    if (const ExtraLetter* extra = extraLetter(index)) {
        if (!russian) return std::u16string(extra->latin);
        return std::u16string(1, letterUnit(extra->russianCode, m_capitals));
    }
    return std::u16string(fixedTag(index));
}

std::u16string keyTooltip(KeyRef key, const KeypadLetters& letters) {
    const bool russian = letters.language() == KeypadLanguage::Russian;
    if (key.array == KeyArray::Letter) {
        switch (key.index) {
            // The language the right button switches to.
            case kCaseKey:
                return russian ? u"Lat" : u"Рус";
            // In Russian mode the bars and the square brackets moved to the right button.
            case kPlusKey:
                if (russian) return u" | | ";
                break;
            case kBracketsKey:
                if (russian) return u" [ ] ";
                break;
            default:
                if (letters.isLetter(key.index)) return {};
                break;
        }
    }
    // Otherwise what the right button does, where it does something of its own.
    const KeyAction left = keyAction(key, KeyButton::Left, letters);
    const KeyAction right = keyAction(key, KeyButton::Right, letters);
    switch (right.command) {
        case KeyCommand::Type:
            if (right.text == left.text) return {};
            return u"Правая кнопка: " + right.text;
        case KeyCommand::TypeAtLineEnd:
            return u"Правая кнопка: " + right.text + u" в конце строки";
        case KeyCommand::DeleteAfter:
            return u"Правая кнопка: удалить знак после курсора";
        case KeyCommand::NextLine:
            return u"Правая кнопка: на следующую строку";
        default:
            return {};
    }
}

std::u16string operCaption(int index, KeyStyle style) {
    const bool compact = style == KeyStyle::Compact;
    switch (index) {
        case kExeKey:
            return compact ? u"exe" : u"do";
        case kHexKey:
            return compact ? u"hex" : u"#x";
        case kOctKey:
            return compact ? u"oct" : u"#o";
        case kClearKey:
            return u"clr";
        case kAnsKey:
            return compact ? u"ans" : u"res";
        case kLastToFrontKey:
            return u"<<";
        case kFirstToEndKey:
            return u">>";
        default:
            return {};
    }
}

KeyAction keyAction(KeyRef key, KeyButton button, const KeypadLetters& letters) {
    if (key.array == KeyArray::Oper) {
        if (key.index < 0 || key.index >= kOperKeyCount) return {};
        return operKeyAction(key.index, button);
    }
    if (key.index < 0 || key.index >= kLetterKeyCount) return {};
    KeyAction action = letterKeyAction(key.index, button, letters);
    if (action.command == KeyCommand::Type) {
        action.ansFirst = ansFirst(key.index, button, letters);
        action.bracketBeforeSign = key.index == kMinusKey || key.index == kPlusKey;
    }
    return action;
}

}  // namespace tally
