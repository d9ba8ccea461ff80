#pragma once

#include <array>

#include "appearance/text_classes.h"

namespace tally {

// One line of the appearance dialog's list: the class it edits and its caption.
struct DialogEntry {
    LookClass lookClass;
    const char16_t* caption;
};

// The dialog lists the document's classes first, then the keys and the menus.
inline constexpr std::array<DialogEntry, kLookClassCount> kDialogEntries = {{
    {LookClass::CharacterKeys, u"Обычный  текст"},
    {LookClass::Identifier, u"Переменные"},
    {LookClass::Function, u"Функции"},
    {LookClass::Number, u"Числа"},
    {LookClass::UnitOfMeasure, u"Размерности"},
    {LookClass::Comment, u"Комментарии"},
    {LookClass::Operator, u"Знаки операций"},
    {LookClass::Bracket, u"Скобки в выражениях"},
    {LookClass::SyntaxError, u"Ошибки"},
    {LookClass::EditorText, u"Кнопки  клавиатуры  для  ввода  символов"},
    {LookClass::OperationKeys, u"Кнопки  клавиатуры  для  выполнения  действий"},
    {LookClass::KeyInFocus, u"Кнопки  клавиатуры,  находящиеся  в  фокусе"},
    {LookClass::WindowText, u"Кнопки  меню"},
}};

// The list position of a class in the dialog.
constexpr int dialogPositionOf(LookClass lookClass) {
    for (std::size_t i = 0; i < kDialogEntries.size(); ++i) {
        if (kDialogEntries[i].lookClass == lookClass) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace tally
