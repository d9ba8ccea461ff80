#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tally {

class Engine;

// One of a unit written in base units: "кг·м^2/с^2" for "Дж", "1000·м" for "км", a plain
// number for a unit without dimension. The unit may be a compound text ("кВт·ч", "м/с^2").
// Empty when "1[unit]" does not evaluate (an unknown unit, a syntax error, a definition
// that fails), when the text holds a bracket of its own, or while a calculation runs. Dimensions
// are worked out even while the window's option to use them in calculations is off.
std::optional<std::u16string> unitInBaseUnits(Engine& engine, std::u16string_view unit);

}  // namespace tally
