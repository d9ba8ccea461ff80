#include "graph/plot_label.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace tally {

namespace {

// A magnitude as decimal digits d0.d1d2... times 10^exponent, taken to 15 significant digits
// as the program prints numbers, so that 12.345 rounds as the user wrote it.
struct Decimal {
    std::string digits;  // 15 digits, the first non-zero
    int exponent = 0;
};

Decimal decimalOf(double magnitude) {
    char buffer[32];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    (void)error;
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    std::size_t e = text.find('e');
    Decimal decimal;
    decimal.digits.push_back(text[0]);
    decimal.digits.append(text.substr(2, e - 2));
    decimal.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return decimal;
}

// Rounds half away from zero to `kept` digits; a carry out of the first digit adds one to
// the exponent.
void roundTo(Decimal& decimal, std::size_t count) {
    if (count >= decimal.digits.size()) return;
    bool up = decimal.digits[count] >= '5';
    decimal.digits.resize(count);
    if (!up) return;
    std::size_t i = count;
    while (i > 0) {
        --i;
        if (decimal.digits[i] != '9') {
            ++decimal.digits[i];
            return;
        }
        decimal.digits[i] = '0';
    }
    decimal.digits.insert(decimal.digits.begin(), '1');
    ++decimal.exponent;
}

// "integer.fraction" without trailing zeros in the fraction and without a bare point.
std::string joinDigits(const std::string& integer, std::string fraction) {
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction.empty() ? integer : integer + "." + fraction;
}

std::string fixedLabel(double magnitude) {
    Decimal decimal = decimalOf(magnitude);
    // Two decimals are exponent + 3 significant digits (the first digit is 10^exponent);
    // from 0.1 up that is at least two.
    roundTo(decimal, static_cast<std::size_t>(decimal.exponent + 3));
    int integerDigits = decimal.exponent + 1;
    std::string all = decimal.digits;
    if (integerDigits <= 0) return joinDigits("0", std::string(-integerDigits, '0') + all);
    if (static_cast<int>(all.size()) < integerDigits) all.append(integerDigits - all.size(), '0');
    return joinDigits(all.substr(0, integerDigits), all.substr(integerDigits));
}

std::string exponentLabel(double magnitude) {
    Decimal decimal = decimalOf(magnitude);
    roundTo(decimal, 3);
    std::string mantissa = joinDigits(decimal.digits.substr(0, 1), decimal.digits.substr(1));
    return mantissa + "E" + std::to_string(decimal.exponent);
}

}  // namespace

std::string formatPlotLabel(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
    if (value == 0) return "0";
    double magnitude = std::fabs(value);
    std::string text =
        magnitude <= 999 && magnitude >= 0.1 ? fixedLabel(magnitude) : exponentLabel(magnitude);
    return value < 0 && text != "0" ? "-" + text : text;
}

std::string formatPlotValue(double value, double resolution) {
    return formatPlotLabel(std::fabs(value) < std::fabs(resolution) ? 0 : value);
}

}  // namespace tally
