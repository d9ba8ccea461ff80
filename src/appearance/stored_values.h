#pragma once

#include <QString>
#include <optional>

namespace tally {

// Values in the settings store are texts: booleans as "True" and "False", whole numbers in
// decimal. Reading trims blanks and answers nothing for a text that is not such a value.
QString booleanText(bool value);
std::optional<bool> parseBoolean(const QString& text);
std::optional<int> parseWholeNumber(const QString& text);

}  // namespace tally
