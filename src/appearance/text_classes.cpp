#include "appearance/text_classes.h"

#include <QFontDatabase>
#include <QPalette>

namespace tally {

LookClass lookClassOf(TextClass textClass) {
    switch (textClass) {
        case TextClass::Normal:
            return LookClass::EditorText;
        case TextClass::Identifier:
            return LookClass::Identifier;
        case TextClass::Function:
            return LookClass::Function;
        case TextClass::Number:
            return LookClass::Number;
        case TextClass::UnitOfMeasure:
            return LookClass::UnitOfMeasure;
        case TextClass::Comment:
            return LookClass::Comment;
        case TextClass::Operator:
            return LookClass::Operator;
        case TextClass::Bracket:
            return LookClass::Bracket;
        case TextClass::SyntaxError:
            return LookClass::SyntaxError;
    }
    return LookClass::EditorText;
}

QFont fontOf(const TextClassLook& look) {
    QFont font(look.fontName);
    font.setPointSize(look.size);
    font.setBold(look.bold);
    font.setItalic(look.italic);
    return font;
}

ResolvedLook resolve(const TextClassLook& look, const QPalette& palette) {
    return {fontOf(look), toQColor(look.fontColour, palette), toQColor(look.backColour, palette)};
}

TextClasses defaultTextClasses(bool dressed, const QString& courier) {
    const QString courierNew = QStringLiteral("Courier New");
    const QString sans = QStringLiteral("MS Sans Serif");
    // The editor's back colour stands behind the syntax classes, which have none of their own.
    constexpr StoredColour kEditorBack = 0xF0FFFF;
    struct Row {
        QString font;
        int size;
        bool bold;
        bool italic;
        StoredColour dressedColour;
        StoredColour undressedColour;
        StoredColour back;
    };
    // Where the looks differ in font or weight, the keys are the reason: a skin wants a
    // heavier sans-serif label.
    const QString keyFont = dressed ? sans : courierNew;
    const std::array<Row, kLookClassCount> rows = {{
        {courierNew, 10, false, false, 0x800000, 0x800000, kEditorBack},
        {keyFont, 8, dressed, false, 0xFFFFFF, kButtonTextColour, 0xF0F0F0},
        {sans, 8, dressed, false, 0xC0FFFF, kButtonTextColour, 0xD8D8D8},
        {keyFont, 8, dressed, false, 0x00FFFF, kButtonTextColour, kInfoBackgroundColour},
        {sans, 8, false, false, 0xFFFFFF, kButtonTextColour, 0xC0C0C0},
        {courier, 10, true, false, 0xC00000, 0xC00000, kEditorBack},
        {courierNew, 10, false, true, 0xC00000, 0xC00000, kEditorBack},
        {courier, 10, false, false, 0x0000FF, 0x0000FF, kEditorBack},
        {courier, 10, true, false, 0x004080, 0x004080, kEditorBack},
        {courier, 10, false, false, 0x404040, 0x404040, kEditorBack},
        {courier, 10, false, false, 0x008000, 0x008000, kEditorBack},
        {courierNew, 10, false, false, 0x000000, 0x800000, kEditorBack},
        {courierNew, 10, false, false, 0xC00000, 0x800000, kEditorBack},
    }};
    TextClasses classes;
    for (LookClass lookClass : kLookClasses) {
        const Row& row = rows[static_cast<std::size_t>(numberOf(lookClass))];
        classes[lookClass] = {row.font,
                              row.size,
                              row.bold,
                              row.italic,
                              dressed ? row.dressedColour : row.undressedColour,
                              row.back};
    }
    return classes;
}

void dressKeyClasses(TextClasses& classes) {
    constexpr StoredColour kWhite = 0xFFFFFF;
    classes[LookClass::CharacterKeys].fontColour = kWhite;
    classes[LookClass::CharacterKeys].bold = true;
    classes[LookClass::OperationKeys].fontColour = 0xC0FFFF;
    classes[LookClass::OperationKeys].bold = true;
    classes[LookClass::WindowText].fontColour = kWhite;
}

void undressKeyClasses(TextClasses& classes, const QString& courier) {
    const TextClasses undressed = defaultTextClasses(false, courier);
    for (LookClass lookClass : {LookClass::CharacterKeys, LookClass::OperationKeys,
                                LookClass::KeyInFocus, LookClass::WindowText}) {
        classes[lookClass] = undressed[lookClass];
    }
}

QString courierFontName() {
    const QString cyrillic = QStringLiteral("Courier New Cyr");
    return QFontDatabase::hasFamily(cyrillic) ? cyrillic : QStringLiteral("Courier New");
}

}  // namespace tally
