#pragma once

#include <QString>

#include "appearance/text_classes.h"

class QSettings;

namespace tally {

// Screen sizes are the number of 10-point lines the document shows.
inline constexpr int kSmallestScreenNumber = 1;
inline constexpr int kLargestScreenNumber = 25;
inline constexpr int kDefaultScreenNumber = 12;
constexpr bool isValidScreenNumber(int number) {
    return number >= kSmallestScreenNumber && number <= kLargestScreenNumber;
}

// What the settings keep of the look: "Default", "Skin", "SkinPath" and "ScreenNum" in the
// section "Settings", and the thirteen classes in the section "Fonts".
struct LookSettings {
    bool defaultLook = true;  // the built-in classes; false once the user changed one
    bool dressed = true;
    QString skinPath;
    int screenNumber = kDefaultScreenNumber;
    TextClasses classes = defaultTextClasses(true, QStringLiteral("Courier New"));

    bool operator==(const LookSettings&) const = default;
};

// Reads every key over `settings`. A missing or unusable value (a colour that is not one, a
// size out of range, an empty font name) leaves the built-in value of its class for the look
// that was read, so that writing the settings back repairs the store.
void readLookSettings(QSettings& store, LookSettings& settings, const QString& courier);
void writeLookSettings(QSettings& store, const LookSettings& settings);

}  // namespace tally
