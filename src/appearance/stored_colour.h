#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>

class QPalette;

namespace tally {

// A colour as the settings keep it: 0x00BBGGRR for a plain colour, or 0x800000nn for the
// system colour number nn, which follows the desktop's palette when it is drawn.
using StoredColour = std::uint32_t;

inline constexpr StoredColour kSystemColourFlag = 0x80000000u;
inline constexpr StoredColour kButtonTextColour = 0x80000012u;
inline constexpr StoredColour kInfoBackgroundColour = 0x80000018u;

constexpr StoredColour storedRgb(int red, int green, int blue) {
    return static_cast<StoredColour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr bool isSystemColour(StoredColour colour) {
    return (colour & kSystemColourFlag) != 0;
}

// A plain colour or one of the system colours 0 .. 24.
bool isValidStoredColour(std::int64_t value);

// The colour to draw with; system colours come from `palette`.
QColor toQColor(StoredColour colour, const QPalette& palette);
// The colour to draw with, system colours from the application's palette.
QColor toQColor(StoredColour colour);
StoredColour fromQColor(const QColor& colour);

// The text of a stored colour is a whole number, as a signed 32-bit value ("-2147483630" for
// the button text colour); reading also takes unsigned numbers and "&H" hexadecimal.
QString storedColourText(StoredColour colour);
std::optional<StoredColour> parseStoredColour(const QString& text);

}  // namespace tally
