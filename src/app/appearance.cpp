#include "app/appearance.h"

#include <QGuiApplication>
#include <QPalette>

namespace tally {

QFont TextClassLook::font() const {
    QFont f(fontName, size);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QColor Appearance::fromStored(qint64 value) {
    // 0x800000nn are system colours; the ones used here are the button text and the tooltip
    // background.
    if ((value & 0x80000000LL) != 0) {
        QPalette palette = QGuiApplication::palette();
        return (value & 0xFF) == 0x18 ? palette.color(QPalette::ToolTipBase)
                                      : palette.color(QPalette::ButtonText);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

qint64 Appearance::toStored(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (static_cast<qint64>(colour.blue()) << 16);
}

void Appearance::setDefaults() {
    const QString courier = QStringLiteral("Courier New");
    const QString sans = QStringLiteral("MS Sans Serif");
    struct Default {
        QString font;
        int size;
        bool bold;
        bool italic;
        qint64 colour;
        qint64 background;
    };
    const Default defaults[kClassCount] = {
        {courier, 10, false, false, 0x800000, 0xF0FFFF},
        {sans, 8, true, false, 0xFFFFFF, 0xF0F0F0},
        {sans, 8, true, false, 0xC0FFFF, 0xD8D8D8},
        {sans, 8, true, false, 0x00FFFF, 0x80000018},
        {sans, 8, false, false, 0xFFFFFF, 0xC0C0C0},
        {courier, 10, true, false, 0xC00000, 0xF0FFFF},
        {courier, 10, false, true, 0xC00000, 0xF0FFFF},
        {courier, 10, false, false, 0x0000FF, 0xF0FFFF},
        {courier, 10, true, false, 0x004080, 0xF0FFFF},
        {courier, 10, false, false, 0x404040, 0xF0FFFF},
        {courier, 10, false, false, 0x008000, 0xF0FFFF},
        {courier, 10, false, false, 0x000000, 0xF0FFFF},
        {courier, 10, false, false, 0xC00000, 0xF0FFFF},
    };
    for (int i = 0; i < kClassCount; ++i) {
        const Default& d = defaults[i];
        m_classes[static_cast<std::size_t>(i)] = {
            d.font, d.size, d.bold, d.italic, fromStored(d.colour), fromStored(d.background)};
    }
}

int Appearance::indexOf(TextClass textClass) {
    switch (textClass) {
        case TextClass::Normal:
            return 0;
        case TextClass::Identifier:
            return 5;
        case TextClass::Number:
            return 6;
        case TextClass::SyntaxError:
            return 7;
        case TextClass::Function:
            return 8;
        case TextClass::UnitOfMeasure:
            return 9;
        case TextClass::Comment:
            return 10;
        case TextClass::Operator:
            return 11;
        case TextClass::Bracket:
            return 12;
    }
    return 0;
}

}  // namespace tally
