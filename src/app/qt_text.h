#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tally {

// The core's UTF-16 text and Qt's strings hold the same code units, so positions agree.
inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text) {
    return text.toStdU16String();
}

}  // namespace tally
