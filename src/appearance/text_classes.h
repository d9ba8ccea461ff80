#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <cstdint>

#include "appearance/stored_colour.h"
#include "lang/grammar_actions.h"

class QPalette;

namespace tally {

// The thirteen text classes every window draws its texts with. Each value is the class's
// number in the settings ("FontName0" .. "FontName12"); the comments give the dialog entry
// that edits the class.
enum class LookClass : std::uint8_t {
    EditorText,     // "Keypad Input Text": the document's base text, the decimal field, plots
    CharacterKeys,  // "Normal Text": the character keys of the keypad
    OperationKeys,  // "Keypad Operation Text"
    KeyInFocus,     // "Key In Focus Text": the key under the mouse
    WindowText,     // "Menu Text": the windows' general font and back colour
    Identifier,
    Number,
    SyntaxError,  // also the colour of a failed calculation in the decimal field
    Function,     // also the colour of plotted points
    UnitOfMeasure,
    Comment,
    Operator,
    Bracket,
};
inline constexpr int kLookClassCount = 13;

constexpr int numberOf(LookClass lookClass) {
    return static_cast<int>(lookClass);
}
// Only the editor text, the keys and the window text have a back colour of their own; the
// syntax classes are drawn on the editor's.
constexpr bool hasBackColour(LookClass lookClass) {
    return numberOf(lookClass) <= numberOf(LookClass::WindowText);
}

// Every class in number order.
inline constexpr std::array<LookClass, kLookClassCount> kLookClasses = {
    LookClass::EditorText,    LookClass::CharacterKeys, LookClass::OperationKeys,
    LookClass::KeyInFocus,    LookClass::WindowText,    LookClass::Identifier,
    LookClass::Number,        LookClass::SyntaxError,   LookClass::Function,
    LookClass::UnitOfMeasure, LookClass::Comment,       LookClass::Operator,
    LookClass::Bracket,
};

// The look class that draws a syntax class of the document.
LookClass lookClassOf(TextClass textClass);

// One text class as it is stored.
struct TextClassLook {
    QString fontName;
    int size = 10;
    bool bold = false;
    bool italic = false;
    StoredColour fontColour = 0;
    StoredColour backColour = 0xFFFFFF;  // drawn only for the classes that have one

    bool operator==(const TextClassLook&) const = default;
};

// A text class ready to draw with: its font, and its colours with system colours resolved.
struct ResolvedLook {
    QFont font;
    QColor colour;
    QColor background;
};
ResolvedLook resolve(const TextClassLook& look, const QPalette& palette);
QFont fontOf(const TextClassLook& look);

class TextClasses {
  public:
    TextClassLook& operator[](LookClass lookClass) {
        return m_looks[static_cast<std::size_t>(lookClass)];
    }
    const TextClassLook& operator[](LookClass lookClass) const {
        return m_looks[static_cast<std::size_t>(lookClass)];
    }
    bool operator==(const TextClasses&) const = default;

  private:
    std::array<TextClassLook, kLookClassCount> m_looks;
};

// Font sizes the settings and the dialog accept, in points.
inline constexpr int kSmallestFontSize = 4;
inline constexpr int kLargestFontSize = 96;
constexpr bool isValidFontSize(int size) {
    return size >= kSmallestFontSize && size <= kLargestFontSize;
}

// The built-in classes of the dressed (skinned) or the undressed look. `courier` is the
// name the monospaced syntax classes use (see courierFontName).
TextClasses defaultTextClasses(bool dressed, const QString& courier);

// Keys painted on a skin need light, heavy labels whatever they had before: white bold
// character keys, bold operation keys in their skinned colour, white window text.
void dressKeyClasses(TextClasses& classes);
// The classes drawn on a skin (the keys and the window text) back to their undressed
// built-in looks, for a dressed look whose picture cannot be shown; the document's classes
// stay as they are.
void undressKeyClasses(TextClasses& classes, const QString& courier);

// "Courier New Cyr" where such a font is installed, "Courier New" otherwise.
QString courierFontName();

}  // namespace tally
