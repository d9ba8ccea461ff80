#include "appearance/look_settings.h"

#include <QSettings>

#include "appearance/stored_values.h"

namespace tally {

namespace {

std::optional<QString> valueOf(QSettings& store, const QString& key) {
    if (!store.contains(key)) return std::nullopt;
    return store.value(key).toString();
}

template <typename Parse, typename Target>
void readInto(QSettings& store, const QString& key, Parse parse, Target& target) {
    if (std::optional<QString> text = valueOf(store, key)) {
        if (auto value = parse(*text)) target = *value;
    }
}

std::optional<QString> nonEmpty(const QString& text) {
    if (text.trimmed().isEmpty()) return std::nullopt;
    return text;
}

std::optional<int> screenNumber(const QString& text) {
    std::optional<int> number = parseWholeNumber(text);
    if (!number || !isValidScreenNumber(*number)) return std::nullopt;
    return number;
}

std::optional<int> fontSize(const QString& text) {
    std::optional<int> size = parseWholeNumber(text);
    if (!size || !isValidFontSize(*size)) return std::nullopt;
    return size;
}

QString keyOf(const char* stem, LookClass lookClass) {
    return QLatin1String(stem) + QString::number(numberOf(lookClass));
}

}  // namespace

void readLookSettings(QSettings& store, LookSettings& settings, const QString& courier) {
    store.beginGroup(QStringLiteral("Settings"));
    readInto(store, QStringLiteral("Default"), parseBoolean, settings.defaultLook);
    readInto(store, QStringLiteral("Skin"), parseBoolean, settings.dressed);
    readInto(store, QStringLiteral("SkinPath"), nonEmpty, settings.skinPath);
    readInto(store, QStringLiteral("ScreenNum"), screenNumber, settings.screenNumber);
    store.endGroup();

    // The fall-back of every class value is the built-in one of the look just read.
    settings.classes = defaultTextClasses(settings.dressed, courier);
    store.beginGroup(QStringLiteral("Fonts"));
    for (LookClass lookClass : kLookClasses) {
        TextClassLook& look = settings.classes[lookClass];
        readInto(store, keyOf("FontName", lookClass), nonEmpty, look.fontName);
        readInto(store, keyOf("FontSize", lookClass), fontSize, look.size);
        readInto(store, keyOf("FontBold", lookClass), parseBoolean, look.bold);
        readInto(store, keyOf("FontItalic", lookClass), parseBoolean, look.italic);
        if (hasBackColour(lookClass)) {
            readInto(store, keyOf("BackColor", lookClass), parseStoredColour, look.backColour);
        }
        readInto(store, keyOf("FontColor", lookClass), parseStoredColour, look.fontColour);
    }
    store.endGroup();
}

void writeLookSettings(QSettings& store, const LookSettings& settings) {
    store.beginGroup(QStringLiteral("Settings"));
    store.setValue(QStringLiteral("Default"), booleanText(settings.defaultLook));
    store.setValue(QStringLiteral("Skin"), booleanText(settings.dressed));
    store.setValue(QStringLiteral("SkinPath"), settings.skinPath);
    store.setValue(QStringLiteral("ScreenNum"), QString::number(settings.screenNumber));
    store.endGroup();

    store.beginGroup(QStringLiteral("Fonts"));
    for (LookClass lookClass : kLookClasses) {
        const TextClassLook& look = settings.classes[lookClass];
        store.setValue(keyOf("FontName", lookClass), look.fontName);
        store.setValue(keyOf("FontSize", lookClass), QString::number(look.size));
        store.setValue(keyOf("FontBold", lookClass), booleanText(look.bold));
        store.setValue(keyOf("FontItalic", lookClass), booleanText(look.italic));
        if (hasBackColour(lookClass)) {
            store.setValue(keyOf("BackColor", lookClass), storedColourText(look.backColour));
        }
        store.setValue(keyOf("FontColor", lookClass), storedColourText(look.fontColour));
    }
    store.endGroup();
}

}  // namespace tally
