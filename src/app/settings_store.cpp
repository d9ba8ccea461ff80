#include "app/settings_store.h"

#include <QSettings>

namespace tally {

namespace {

QString booleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Each reader leaves the target alone when the key is absent or does not convert.
void readInt(QSettings& s, const QString& key, int& target) {
    if (!s.contains(key)) return;
    bool ok = false;
    int value = s.value(key).toString().trimmed().toInt(&ok);
    if (ok) target = value;
}

void readBool(QSettings& s, const QString& key, bool& target) {
    if (!s.contains(key)) return;
    QString text = s.value(key).toString().trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) target = true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) target = false;
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

void readColour(QSettings& s, const QString& key, QColor& target) {
    if (!s.contains(key)) return;
    bool ok = false;
    qint64 value = s.value(key).toString().trimmed().toLongLong(&ok);
    if (ok) target = Appearance::fromStored(value);
}

}  // namespace

WindowSettings SettingsStore::defaults(const QString& programDataFolder) {
    WindowSettings settings;
    settings.skinPath = programDataFolder + QStringLiteral("/Skins/Wood6.jpg");
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
    readBool(s, QStringLiteral("Default"), w.defaultLook);
    readBool(s, QStringLiteral("Skin"), w.skin);
    readText(s, QStringLiteral("SkinPath"), w.skinPath);
    readInt(s, QStringLiteral("ScreenNum"), w.screenNumber);
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
    s.endGroup();

    s.beginGroup(QStringLiteral("Fonts"));
    for (int i = 0; i < Appearance::kClassCount; ++i) {
        TextClassLook& look = w.appearance.at(i);
        QString index = QString::number(i);
        if (i <= 4) readColour(s, QStringLiteral("BackColor") + index, look.background);
        readText(s, QStringLiteral("FontName") + index, look.fontName);
        readInt(s, QStringLiteral("FontSize") + index, look.size);
        readBool(s, QStringLiteral("FontBold") + index, look.bold);
        readBool(s, QStringLiteral("FontItalic") + index, look.italic);
        readColour(s, QStringLiteral("FontColor") + index, look.colour);
    }
    readInt(s, QStringLiteral("SubjFontSize"), w.subjectFontSize);
    s.endGroup();
}

void SettingsStore::write(QSettings& s, const WindowSettings& w, bool writePosition) {
    s.beginGroup(QStringLiteral("Settings"));
    s.setValue(QStringLiteral("Style"), QString::number(w.style));
    s.setValue(QStringLiteral("Default"), booleanText(w.defaultLook));
    s.setValue(QStringLiteral("Ans"), QString::number(w.ans, 'g', 17));
    s.setValue(QStringLiteral("Skin"), booleanText(w.skin));
    s.setValue(QStringLiteral("SkinPath"), w.skinPath);
    s.setValue(QStringLiteral("ScreenNum"), QString::number(w.screenNumber));
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
    s.endGroup();

    s.beginGroup(QStringLiteral("Fonts"));
    for (int i = 0; i < Appearance::kClassCount; ++i) {
        const TextClassLook& look = w.appearance.at(i);
        QString index = QString::number(i);
        s.setValue(QStringLiteral("FontName") + index, look.fontName);
        s.setValue(QStringLiteral("FontSize") + index, QString::number(look.size));
        s.setValue(QStringLiteral("FontBold") + index, booleanText(look.bold));
        s.setValue(QStringLiteral("FontItalic") + index, booleanText(look.italic));
        if (i <= 4) {
            s.setValue(QStringLiteral("BackColor") + index,
                       QString::number(Appearance::toStored(look.background)));
        }
        s.setValue(QStringLiteral("FontColor") + index,
                   QString::number(Appearance::toStored(look.colour)));
    }
    s.setValue(QStringLiteral("SubjFontSize"), QString::number(w.subjectFontSize));
    s.endGroup();
    s.sync();
}

}  // namespace tally
