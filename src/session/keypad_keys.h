#pragma once

#include <string>
#include <string_view>

namespace tally {

// The on-screen keypad's keys as data: the character keys (Letter 0..56) and the operation
// keys (Oper 0..8), their Tags and tooltips in each letter layout and case, their captions in
// each key style, and what each does with the left and the right mouse button.

enum class KeypadLanguage { Latin = 0, Russian = 1 };
// Compact keys are small and captioned "exe", "hex", "oct", "ans"; normal keys are larger
// and captioned "do", "#x", "#o", "res". The settings store keeps them as 1 and 0.
enum class KeyStyle { Normal = 0, Compact = 1 };
enum class KeyButton { Left, Right };

enum class KeyArray { Letter, Oper };
struct KeyRef {
    KeyArray array = KeyArray::Letter;
    int index = 0;
    bool operator==(const KeyRef&) const = default;
};

inline constexpr int kLetterKeyCount = 57;
inline constexpr int kOperKeyCount = 9;

// Character keys with a role of their own.
inline constexpr int kCaseKey = 0;
inline constexpr int kFirstLetterKey = 1;  // "A"
inline constexpr int kLastLetterKey = 26;  // "Z"
inline constexpr int kSpaceKey = 27;
inline constexpr int kFirstDigitKey = 30;  // "0"
inline constexpr int kMinusKey = 45;
inline constexpr int kPlusKey = 47;
inline constexpr int kEqualsKey = 49;
inline constexpr int kBracketsKey = 50;
inline constexpr int kBackspaceKey = 52;

// Operation keys.
inline constexpr int kExeKey = 0;
inline constexpr int kHexKey = 2;
inline constexpr int kOctKey = 3;
inline constexpr int kClearKey = 4;
inline constexpr int kAnsKey = 5;
inline constexpr int kLastToFrontKey = 6;
inline constexpr int kFirstToEndKey = 7;

// The Russian capital that lies on the same key of a Russian keyboard as the Latin letter
// of key `index` (1 = "A" .. 26 = "Z"), as a Windows-1251 code; 0 for the other indexes of
// the table (0 and 27..33) and for indexes outside it.
int russianLetterCode(int index);

// The letters on the keypad: Latin or Russian, capitals or small letters. The case key's Tag
// says what a click on it will do: "Lcase" while capitals are shown, "Ucase" while small
// letters are.
class KeypadLetters {
  public:
    KeypadLanguage language() const { return m_language; }
    bool capitals() const { return m_capitals; }
    void switchCase() { m_capitals = !m_capitals; }
    // Latin to Russian letters or back, keeping the case.
    void switchLanguage() {
        m_language =
            m_language == KeypadLanguage::Latin ? KeypadLanguage::Russian : KeypadLanguage::Latin;
    }

    // The Tag of character key `index`: the text it stands for and shows.
    std::u16string tag(int index) const;
    // A key whose Tag is a letter in the current layout (1..26, and the six extra Russian
    // letters in Russian mode).
    bool isLetter(int index) const;

  private:
    KeypadLanguage m_language = KeypadLanguage::Latin;
    bool m_capitals = true;
};

// The caption of operation key `index` in a key style; empty for the keys without one.
std::u16string operCaption(int index, KeyStyle style);

// What a key does when a mouse button is released over it.
enum class KeyCommand {
    None,
    Type,            // insert `text`, then step the caret back by `stepBack`
    TypeAtLineEnd,   // the caret to the end of its line first, then as Type
    DeleteBefore,    // Backspace
    DeleteAfter,     // Delete
    SwitchCase,      // the case key, left button
    SwitchLanguage,  // the case key, right button
    Calculate,       // "exe": the line, then the next-line step
    NextLine,        // "exe", right button: the next-line step alone
    Clear,           // "clr"
    LastToFront,     // "<<": the function list's last entry becomes its first
    FirstToEnd,      // ">>": the function list's first entry becomes its last
};

struct KeyAction {
    KeyCommand command = KeyCommand::None;
    std::u16string text;
    int stepBack = 0;
    // An operator: on an empty line (an empty decimal field) "Ans" goes in first.
    bool ansFirst = false;
    // A sign: after "*", "/", "^", "\" or ":" an opening bracket goes in first.
    bool bracketBeforeSign = false;

    bool operator==(const KeyAction&) const = default;
};

KeyAction keyAction(KeyRef key, KeyButton button, const KeypadLetters& letters);

// A key's tooltip: for the case key the language its right button switches to, otherwise
// what the right button does where that is not the left button's text in the other case.
std::u16string keyTooltip(KeyRef key, const KeypadLetters& letters);

}  // namespace tally
