#include "appearance/stored_colour.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace tally {

namespace {

struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop colours by their system number, as the nearest role of Qt's palette.
constexpr std::array<SystemColour, 25> kSystemColours = {{
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},      // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Button},           // 10 active border
    {QPalette::Inactive, QPalette::Button},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 selection
    {QPalette::Active, QPalette::HighlightedText},  // 14 selected text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 light edge
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
}};

constexpr std::int64_t kLargestSystemColour =
    kSystemColourFlag + static_cast<std::int64_t>(kSystemColours.size()) - 1;

}  // namespace

bool isValidStoredColour(std::int64_t value) {
    return (value >= 0 && value <= 0xFFFFFF) ||
           (value >= kSystemColourFlag && value <= kLargestSystemColour);
}

QColor toQColor(StoredColour colour, const QPalette& palette) {
    if (isSystemColour(colour)) {
        std::size_t number = colour & 0xFF;
        // Anything else has been refused when it was read; black is what a stray value shows.
        if (number >= kSystemColours.size()) return QColor(Qt::black);
        const SystemColour& system = kSystemColours[number];
        return palette.color(system.group, system.role);
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QColor toQColor(StoredColour colour) {
    return toQColor(colour, QGuiApplication::palette());
}

StoredColour fromQColor(const QColor& colour) {
    return storedRgb(colour.red(), colour.green(), colour.blue());
}

QString storedColourText(StoredColour colour) {
    return QString::number(static_cast<std::int32_t>(colour));
}

std::optional<StoredColour> parseStoredColour(const QString& text) {
    QString trimmed = text.trimmed();
    bool ok = false;
    std::int64_t value = 0;
    if (trimmed.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
        QString digits = trimmed.mid(2);
        if (digits.endsWith(u'&')) digits.chop(1);
        value = digits.toLongLong(&ok, 16);
    } else {
        value = trimmed.toLongLong(&ok);
        // A system colour written as a signed 32-bit number.
        if (ok && value < 0 && value >= INT32_MIN) value += std::int64_t{1} << 32;
    }
    if (!ok || !isValidStoredColour(value)) return std::nullopt;
    return static_cast<StoredColour>(value);
}

}  // namespace tally
