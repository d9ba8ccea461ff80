#pragma once

#include <string_view>

namespace tally::message {

inline constexpr std::u16string_view kOverflow = u"Переполнение";
inline constexpr std::u16string_view kDimensionMismatch = u"Несоответствие в размерностях";
inline constexpr std::u16string_view kInvalidArgument = u"Недопустимый аргумент";
inline constexpr std::u16string_view kTooFewArguments = u"Мало аргументов";
inline constexpr std::u16string_view kUnknownFunction = u"Неизвестная функция";
inline constexpr std::u16string_view kInvalidAssignment = u"Недопустимое присваивание";
inline constexpr std::u16string_view kUnknownDimension = u"Неизвестная размерность";
inline constexpr std::u16string_view kDimensionError = u"Ошибка в размерности";
inline constexpr std::u16string_view kSyntaxError = u"Синтаксическая ошибка";

}  // namespace tally::message
