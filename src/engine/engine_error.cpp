#include "engine/engine_error.h"

#include <array>

namespace tally {

namespace {

constexpr std::array<std::u16string_view, 11> kTexts = {
    u"",
    u"Несоответствие в размерностях",
    u"Переполнение",
    u"Недопустимый аргумент",
    u"Мало аргументов",
    u"Неизвестная функция",
    u"Недопустимое присваивание",
    u"Неизвестная размерность",
    u"Ошибка в размерности",
    u"Синтаксическая ошибка",
    u"Вычисление прервано",
};
static_assert(kTexts.size() == static_cast<std::size_t>(EngineError::Cancelled) + 1);

}  // namespace

std::u16string_view errorText(EngineError error) {
    return kTexts[static_cast<std::size_t>(error)];
}

}  // namespace tally
