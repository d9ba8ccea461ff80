#include "appearance/stored_values.h"

namespace tally {

QString booleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> parseBoolean(const QString& text) {
    QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
    if (trimmed.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

std::optional<int> parseWholeNumber(const QString& text) {
    bool ok = false;
    int value = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace tally
