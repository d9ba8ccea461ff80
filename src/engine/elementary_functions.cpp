#include <cmath>
#include <string>

#include "engine/format_number.h"
#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

// Sine, cosine and tangent never answer negative zero.
double positiveZero(double x) {
    return x == 0 ? 0.0 : x;
}

// The hyperbolic functions are defined through e^x and e^-x; past the double range of
// e^|x| they overflow.
bool withinExponentialRange(Faults& f, double x) {
    f.exp(std::fabs(x));
    return !f.raised();
}

double round(FunctionCall& call) {
    Faults& f = call.faults();
    if (call.count() == 1 || call.isEmpty(2)) return roundHalfEven(call.argument(1));
    double a = call.argument(1);
    int places = f.roundToInt32(call.argument(2));
    if (places < 0) {
        f.raise();
        return 0;
    }
    if (places > 15) return a;
    double scale = std::pow(10.0, places);
    double scaled = a * scale;
    if (!std::isfinite(scaled)) return a;
    return roundHalfEven(scaled) / scale;
}

double root(FunctionCall& call, OperandLevel& first) {
    Faults& f = call.faults();
    double a = call.argument(1);
    if (call.count() == 1 || call.isEmpty(2)) {
        scaleExponents(first.dimension, 0.5);
        return f.sqrt(a);
    }
    double n = call.argument(2);
    double exponent = f.divide(1, n);
    if (f.raised()) return 0;
    scaleExponents(first.dimension, exponent);
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

}  // namespace

double computeElementary(FunctionCall& call) {
    Faults& f = call.faults();
    OperandLevel& first = call.firstLevel();
    double x = call.argument(1);
    double k = call.engine().angleFactor();
    switch (call.number()) {
        case fn::kAbs:
            return std::fabs(x);
        case fn::kRound:
            return round(call);
        case fn::kFloor:
            return std::floor(x);
        case fn::kInt:
            return std::trunc(x);
        case fn::kCeil:
            return std::ceil(x);
        case fn::kFract:
            return x - std::trunc(x);
        case fn::kSign:
            return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0;
        case fn::kExp:
            return f.exp(x);
        case fn::kLn:
            return f.log(x);
        case fn::kLog:
            return x > 0 ? std::log10(x) : f.log(x);
        case fn::kLogN:
            return f.divide(f.log(x), f.log(call.argument(2)));
        case fn::kSqrt:
            scaleExponents(first.dimension, 0.5);
            return f.sqrt(x);
        case fn::kRoot:
            return root(call, first);
        case fn::kSin:
            return positiveZero(std::sin(k * x));
        case fn::kCos:
            return positiveZero(std::cos(k * x));
        case fn::kTg:
            return positiveZero(f.check(std::tan(k * x)));
        case fn::kCtg:
            return f.divide(1, std::tan(k * x));
        case fn::kSc:
            return f.divide(1, std::cos(k * x));
        case fn::kCsc:
            return f.divide(1, std::sin(k * x));
        case fn::kArcTg:
            return std::atan(x);
        // The inverse functions answer principal values on their whole domain.
        case fn::kArcSin:
            if (std::fabs(x) > 1) break;
            return std::asin(x);
        case fn::kArcCos:
            if (std::fabs(x) > 1) break;
            return std::acos(x);
        case fn::kArcSc:
            if (std::fabs(x) < 1) break;
            return std::acos(1 / x);
        case fn::kArcCsc:
            if (std::fabs(x) < 1) break;
            return std::asin(1 / x);
        case fn::kArcCtg:
            return kHalfPi - std::atan(x);
        // Hyperbolic functions overflow (a fault) once their exponentials leave the range.
        case fn::kSh:
            return withinExponentialRange(f, x) ? std::sinh(x) : 0;
        case fn::kCh:
            return withinExponentialRange(f, x) ? std::cosh(x) : 0;
        case fn::kTh:
            return withinExponentialRange(f, x) ? std::tanh(x) : 0;
        case fn::kSch:
            return withinExponentialRange(f, x) ? 1 / std::cosh(x) : 0;
        case fn::kCsch:
            return withinExponentialRange(f, x) ? f.divide(1, std::sinh(x)) : 0;
        case fn::kCth:
            return withinExponentialRange(f, x) ? f.divide(1, std::tanh(x)) : 0;
        case fn::kArSh:
            return std::asinh(x);
        case fn::kArCh:
            if (x < 1) break;
            return f.check(std::acosh(x));
        case fn::kArTh:
            if (std::fabs(x) >= 1) break;
            return std::atanh(x);
        case fn::kArSch:
            if (!(x > 0 && x <= 1)) break;
            return f.log((std::sqrt(1 - x * x) + 1) / x);
        case fn::kArCsch:
            if (x == 0) break;
            return std::asinh(1 / x);
        case fn::kArCth:
            if (std::fabs(x) <= 1) break;
            return std::atanh(1 / x);
        case fn::kDegToRad:
            return x * Engine::kPi / 180;
        case fn::kRadToDeg: {
            double degrees = x * 180 / Engine::kPi;
            call.engine().setResultNote(degreesMinutesSeconds(degrees, f));
            return degrees;
        }
        default:
            break;
    }
    f.raise();
    return 0;
}

}  // namespace tally
