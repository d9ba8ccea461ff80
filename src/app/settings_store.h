#pragma once

#include <QPoint>
#include <QString>

#include "appearance/look_settings.h"
#include "engine/engine_settings.h"

class QSettings;

namespace tally {

// Everything the window keeps between runs in the per-user settings store under the
// application name "Tally Calculator", sections "Settings" and "Fonts". The look (skin,
// screen size, text classes) is read and written by its own module. Keys that belong to
// features still to come (help subjects) are carried through unchanged.
struct WindowSettings {
    int style = 1;
    int keypadShow = 1;
    AngleMode angles = AngleMode::Radians;
    bool resultToClipboard = false;
    bool convertSeparators = false;
    bool addFunctionsToKeypad = false;
    int functionListColumns = 4;
    QString subjectPath;
    // How the help subjects open: 0 cascading windows that stay open ("Каскад"), 1 pop-up
    // menus that close after a choice ("Меню").
    int subjectMenuMode = 0;
    bool hasPosition = false;
    QPoint position;
    bool useDimensions = true;
    double ans = 0;
    LookSettings look;
    // The title of the messages the user asked not to see again.
    QString suppressedMessage;
    int subjectFontSize = 8;
};

// The angle mode as the settings store and the option strip write it: "Радианы" or
// "Градусы".
QString angleModeText(AngleMode mode);
// Radians exactly when the text says so ("Radians" from older stores too), degrees
// otherwise.
AngleMode angleModeFromText(const QString& text);

class SettingsStore {
  public:
    // Defaults that depend on the folder of the program's data (skin and subject paths); the
    // default skin may also come from the user's data folder.
    static WindowSettings defaults(const QString& programDataFolder,
                                   const QString& dataFolder = QString());

    // Reads every key; a key that is missing or unreadable keeps the value already in
    // `settings`. "Radians"/"Degrees" from older stores are rewritten in Russian.
    static void read(QSettings& store, WindowSettings& settings);
    static void write(QSettings& store, const WindowSettings& settings, bool writePosition);
};

}  // namespace tally
