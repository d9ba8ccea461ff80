#include "app/settings_store.h"

#include <QSettings>

#include "appearance/skin.h"
#include "appearance/stored_values.h"

namespace tally {

namespace {

// Each reader leaves the target alone when the key is absent or does not convert.
void readInt(QSettings& s, const QString& key, int& target) {
    if (!s.contains(key)) return;
    if (std::optional<int> value = parseWholeNumber(s.value(key).toString())) target = *value;
}

void readBool(QSettings& s, const QString& key, bool& target) {
    if (!s.contains(key)) return;
    if (std::optional<bool> value = parseBoolean(s.value(key).toString())) target = *value;
}

void readDouble(QSettings& s, const QString& key, double& target) {
    if (!s.contains(key)) return;
    bool ok = false;
    double value = s.value(key).toString().trimmed().toDouble(&ok);
    if (ok) target = value;
}

void readText(QSettings& s, const QString& key, QString& target) {
    if (s.contains(key)) target = s.value(key).toString();
}

}  // namespace

WindowSettings SettingsStore::defaults(const QString& programDataFolder,
                                       const QString& dataFolder) {
    WindowSettings settings;
    settings.look.skinPath = defaultSkinPath(skinFolders(programDataFolder, dataFolder));
    settings.subjectPath = programDataFolder + QStringLiteral("/Subjects/Subject.txt");
    return settings;
}

QString angleModeText(AngleMode mode) {
    return mode == AngleMode::Radians ? QStringLiteral("Радианы") : QStringLiteral("Градусы");
}

AngleMode angleModeFromText(const QString& text) {
    bool radians = text == QStringLiteral("Радианы") || text == QStringLiteral("Radians");
    return radians ? AngleMode::Radians : AngleMode::Degrees;
}

void SettingsStore::read(QSettings& s, WindowSettings& w) {
    s.beginGroup(QStringLiteral("Settings"));
    readInt(s, QStringLiteral("Style"), w.style);
    readInt(s, QStringLiteral("KeypadShow"), w.keypadShow);
    QString angles = angleModeText(w.angles);
    readText(s, QStringLiteral("Angles"), angles);
    w.angles = angleModeFromText(angles);
    readBool(s, QStringLiteral("Clipboard"), w.resultToClipboard);
    readBool(s, QStringLiteral("Convert"), w.convertSeparators);
    readBool(s, QStringLiteral("AddFuncToKeypad"), w.addFunctionsToKeypad);
    readInt(s, QStringLiteral("NumFuncListCol"), w.functionListColumns);
    readText(s, QStringLiteral("SubjectPath"), w.subjectPath);
    readInt(s, QStringLiteral("SubjectMenuMode"), w.subjectMenuMode);
    if (s.contains(QStringLiteral("MainLeft")) && s.contains(QStringLiteral("MainTop"))) {
        double left = 0;
        double top = 0;
        readDouble(s, QStringLiteral("MainLeft"), left);
        readDouble(s, QStringLiteral("MainTop"), top);
        w.position = QPoint(static_cast<int>(left), static_cast<int>(top));
        w.hasPosition = true;
    }
    readBool(s, QStringLiteral("Dimension"), w.useDimensions);
    readDouble(s, QStringLiteral("Ans"), w.ans);
    readText(s, QStringLiteral("SuppressedMessage"), w.suppressedMessage);
    s.endGroup();

    readLookSettings(s, w.look, courierFontName());

    s.beginGroup(QStringLiteral("Fonts"));
    readInt(s, QStringLiteral("SubjFontSize"), w.subjectFontSize);
    s.endGroup();
}

void SettingsStore::write(QSettings& s, const WindowSettings& w, bool writePosition) {
    s.beginGroup(QStringLiteral("Settings"));
    s.setValue(QStringLiteral("Style"), QString::number(w.style));
    s.setValue(QStringLiteral("Ans"), QString::number(w.ans, 'g', 17));
    s.setValue(QStringLiteral("Angles"), angleModeText(w.angles));
    s.setValue(QStringLiteral("Clipboard"), booleanText(w.resultToClipboard));
    s.setValue(QStringLiteral("Convert"), booleanText(w.convertSeparators));
    s.setValue(QStringLiteral("Dimension"), booleanText(w.useDimensions));
    s.setValue(QStringLiteral("AddFuncToKeypad"), booleanText(w.addFunctionsToKeypad));
    s.setValue(QStringLiteral("NumFuncListCol"), QString::number(w.functionListColumns));
    s.setValue(QStringLiteral("SubjectPath"), w.subjectPath);
    s.setValue(QStringLiteral("SubjectMenuMode"), QString::number(w.subjectMenuMode));
    s.setValue(QStringLiteral("KeypadShow"), QString::number(w.keypadShow));
    if (writePosition) {
        s.setValue(QStringLiteral("MainLeft"), QString::number(w.position.x()));
        s.setValue(QStringLiteral("MainTop"), QString::number(w.position.y()));
    }
    s.setValue(QStringLiteral("SuppressedMessage"), w.suppressedMessage);
    s.endGroup();

    writeLookSettings(s, w.look);

    s.beginGroup(QStringLiteral("Fonts"));
    s.setValue(QStringLiteral("SubjFontSize"), QString::number(w.subjectFontSize));
    s.endGroup();
    s.sync();
}

}  // namespace tally
