#include <array>
#include <cmath>
#include <string>

#include "engine/constants.h"
#include "engine/format_number.h"
#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

using Compute = double (*)(FunctionCall& call, double x);

// An argument outside the function's domain: a fault.
double outside(FunctionCall& call) {
    call.faults().raise();
    return 0;
}

// Sine, cosine and tangent never answer negative zero.
double positiveZero(double x) {
    return x == 0 ? 0.0 : x;
}

double angle(FunctionCall& call, double x) {
    return call.evaluator().angleFactor() * x;
}

// Sh and Ch overflow (a fault) once their value leaves the double range; the other
// hyperbolic functions are computed in forms that stay finite wherever their value is.
double overflowChecked(FunctionCall& call, double value) {
    return call.faults().check(value);
}

// ArcSc and ArcCsc through the arc tangent: sqrt((x-1)(x+1)) keeps its digits next to
// |x| = 1, where 1/x would already have lost them.
double arcSecant(double x) {
    double root = std::sqrt((std::fabs(x) - 1) * (std::fabs(x) + 1));
    return x > 0 ? std::atan(root) : kPi - std::atan(root);
}

double arcCosecant(double x) {
    if (std::fabs(x) > 2) return std::asin(1 / x);
    double root = std::sqrt((std::fabs(x) - 1) * (std::fabs(x) + 1));
    return std::copysign(std::atan2(1.0, root), x);
}

// ArSch = ln((1 + sqrt(1 - x^2)) / x), split so that neither a tiny x nor one next to 1
// loses the result.
double inverseHyperbolicSecant(double x) {
    return std::log1p(std::sqrt((1 - x) * (1 + x))) - std::log(x);
}

// ArCsch = asinh(1/x); for a tiny x, where 1/x would overflow, ln((1 + sqrt(1 + x^2)) / |x|).
double inverseHyperbolicCosecant(double x) {
    if (std::fabs(x) > 1e-150) return std::asinh(1 / x);
    return std::copysign(std::log1p(std::sqrt(1 + x * x)) - std::log(std::fabs(x)), x);
}

// ArCth = atanh(1/x) = ln((x + 1) / (x - 1)) / 2, with x - 1 exact next to 1.
double inverseHyperbolicCotangent(double x) {
    double magnitude = std::fabs(x);
    return std::copysign(0.5 * std::log1p(2 / (magnitude - 1)), x);
}

double round(FunctionCall& call, double a) {
    Faults& f = call.faults();
    if (call.count() == 1 || call.isEmpty(2)) return roundHalfEven(a);
    int places = f.roundToInt32(call.argument(2));
    if (places < 0) return outside(call);
    if (places > 15) return a;
    double scale = std::pow(10.0, places);
    double scaled = a * scale;
    if (!std::isfinite(scaled)) return a;
    return roundHalfEven(scaled) / scale;
}

double squareRoot(FunctionCall& call, double x) {
    if (call.hasFirstLevel()) scaleExponents(call.firstLevel().dimension, 0.5);
    return call.faults().sqrt(x);
}

double root(FunctionCall& call, double a) {
    Faults& f = call.faults();
    if (call.count() == 1 || call.isEmpty(2)) return squareRoot(call, a);
    double exponent = f.divide(1, call.argument(2));
    if (f.raised()) return 0;
    if (call.hasFirstLevel()) scaleExponents(call.firstLevel().dimension, exponent);
    return f.power(a, exponent);
}

// The degrees-minutes-seconds form of an angle in degrees, such as 57o17'44.8".
std::u16string degreesMinutesSeconds(double degrees, Faults& f) {
    std::int32_t d = f.truncateToInt32(degrees);
    double minutesExact = (degrees - d) * 60;
    auto m = static_cast<std::int32_t>(std::trunc(minutesExact));
    double seconds = (minutesExact - m) * 60;
    auto text = [](std::int32_t n) {
        std::string s = std::to_string(n);
        return std::u16string(s.begin(), s.end());
    };
    return text(d) + u"o" + text(m) + u"'" + formatNumber(seconds) + u"\"";
}

double radiansToDegrees(FunctionCall& call, double x) {
    double degrees = x * 180 / kPi;
    call.evaluator().setResultNote(degreesMinutesSeconds(degrees, call.faults()));
    return degrees;
}

struct ElementaryRule {
    Function function;
    Compute compute;
};

// One row per function. The inverse functions answer principal values on their whole
// domain.
constexpr ElementaryRule kRules[] = {
    {Function::Abs, [](FunctionCall&, double x) { return std::fabs(x); }},
    {Function::Round, round},
    {Function::Floor, [](FunctionCall&, double x) { return std::floor(x); }},
    {Function::Int, [](FunctionCall&, double x) { return std::trunc(x); }},
    {Function::Ceil, [](FunctionCall&, double x) { return std::ceil(x); }},
    {Function::Fract, [](FunctionCall&, double x) { return x - std::trunc(x); }},
    {Function::Sign, [](FunctionCall&, double x) { return x > 0   ? 1.0
                                                          : x < 0 ? -1.0
                                                                  : 0.0; }},
    {Function::Exp, [](FunctionCall& c, double x) { return c.faults().exp(x); }},
    {Function::Ln, [](FunctionCall& c, double x) { return c.faults().log(x); }},
    {Function::Log,
     [](FunctionCall& c, double x) { return x > 0 ? std::log10(x) : c.faults().log(x); }},
    {Function::LogN,
     [](FunctionCall& c, double x) {
         Faults& f = c.faults();
         return f.divide(f.log(x), f.log(c.argument(2)));
     }},
    {Function::Sqrt, squareRoot},
    {Function::Root, root},
    {Function::Sin, [](FunctionCall& c, double x) { return positiveZero(std::sin(angle(c, x))); }},
    {Function::Cos, [](FunctionCall& c, double x) { return positiveZero(std::cos(angle(c, x))); }},
    {Function::Tg, [](FunctionCall& c,
                      double x) { return positiveZero(c.faults().check(std::tan(angle(c, x)))); }},
    {Function::Ctg,
     [](FunctionCall& c, double x) { return c.faults().divide(1, std::tan(angle(c, x))); }},
    {Function::Sc,
     [](FunctionCall& c, double x) { return c.faults().divide(1, std::cos(angle(c, x))); }},
    {Function::Csc,
     [](FunctionCall& c, double x) { return c.faults().divide(1, std::sin(angle(c, x))); }},
    {Function::ArcTg, [](FunctionCall&, double x) { return std::atan(x); }},
    {Function::ArcSin,
     [](FunctionCall& c, double x) { return std::fabs(x) > 1 ? outside(c) : std::asin(x); }},
    {Function::ArcCos,
     [](FunctionCall& c, double x) { return std::fabs(x) > 1 ? outside(c) : std::acos(x); }},
    {Function::ArcSc,
     [](FunctionCall& c, double x) { return std::fabs(x) < 1 ? outside(c) : arcSecant(x); }},
    {Function::ArcCsc,
     [](FunctionCall& c, double x) { return std::fabs(x) < 1 ? outside(c) : arcCosecant(x); }},
    // For x > 0 through 1/x, which keeps the digits that pi/2 - atan(x) cancels.
    {Function::ArcCtg,
     [](FunctionCall&, double x) { return x > 0 ? std::atan(1 / x) : kHalfPi - std::atan(x); }},
    {Function::Sh, [](FunctionCall& c, double x) { return overflowChecked(c, std::sinh(x)); }},
    {Function::Ch, [](FunctionCall& c, double x) { return overflowChecked(c, std::cosh(x)); }},
    {Function::Th, [](FunctionCall&, double x) { return std::tanh(x); }},
    // 1/cosh and 1/sinh tend to 0 where cosh and sinh overflow.
    {Function::Sch, [](FunctionCall&, double x) { return 1 / std::cosh(x); }},
    {Function::Csch, [](FunctionCall& c, double x) { return c.faults().divide(1, std::sinh(x)); }},
    {Function::Cth, [](FunctionCall& c, double x) { return c.faults().divide(1, std::tanh(x)); }},
    {Function::ArSh, [](FunctionCall&, double x) { return std::asinh(x); }},
    {Function::ArCh, [](FunctionCall& c,
                        double x) { return x < 1 ? outside(c) : c.faults().check(std::acosh(x)); }},
    {Function::ArTh,
     [](FunctionCall& c, double x) { return std::fabs(x) >= 1 ? outside(c) : std::atanh(x); }},
    {Function::ArSch,
     [](FunctionCall& c, double x) {
         return x > 0 && x <= 1 ? inverseHyperbolicSecant(x) : outside(c);
     }},
    {Function::ArCsch,
     [](FunctionCall& c, double x) { return x == 0 ? outside(c) : inverseHyperbolicCosecant(x); }},
    {Function::ArCth,
     [](FunctionCall& c, double x) {
         return std::fabs(x) <= 1 ? outside(c) : inverseHyperbolicCotangent(x);
     }},
    {Function::DegToRad, [](FunctionCall&, double x) { return x * kPi / 180; }},
    {Function::RadToDeg, radiansToDegrees},
};

// The rules by function number, for a look-up without search.
constexpr std::array<Compute, kBuiltInFunctionCount + 1> kByNumber = [] {
    std::array<Compute, kBuiltInFunctionCount + 1> table{};
    for (const ElementaryRule& rule : kRules)
        table[static_cast<std::size_t>(numberOf(rule.function))] = rule.compute;
    return table;
}();

}  // namespace

double computeElementary(FunctionCall& call) {
    Compute compute = kByNumber[static_cast<std::size_t>(numberOf(call.function()))];
    if (compute == nullptr) return outside(call);
    return compute(call, call.argument(1));
}

}  // namespace tally
