#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "engine/constants.h"
#include "engine/factorial.h"
#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

// Gamma on [1.5, 2.5]: a rational fit, numerator P0..P8 and monic denominator Q0..Q7.
constexpr std::array<double, 9> kGammaNumerator = {
    -59.6604748875364, 58.64023793062,    -1364.10621716537,  -811.756927142558, -15694.1468314918,
    -15259.7992575837, -72640.5961596433, -0.897227571810101, 3.34961818984758};
constexpr std::array<double, 8> kGammaDenominator = {
    410.39914741829,   -2262.59029151487, 2494.3255767149,   23621.0624438305,
    -57418.7322739642, -72572.3971540824, -9.49139952168695, -32.550069394557};
// Stirling's series for ln Gamma above 12: the correction terms C0..C4 and C6 and the
// constant C5 = ln(2 pi) / 2.
constexpr std::array<double, 7> kStirlingSeries = {
    0.000840596949829,  -0.00059523334141881, 0.00079365078409227, -0.00277777777776953,
    0.0833333333333333, 0.918938533204673,    -0.0017816839846};
constexpr double kGammaSmallest = 1e-75;
constexpr double kGammaLargest = 57.5744;
constexpr double kGammaOverflow = 7.237005577e75;
constexpr double kGammaAsymptoticFrom = 12;

// Rational approximations of erf near zero and of erfc beyond, by interval.
constexpr std::array<double, 5> kErfSmallNumerator = {
    3.16112374387057, 113.86415415105, 377.485237685302, 3209.37758913847, 0.185777706184603};
constexpr std::array<double, 4> kErfSmallDenominator = {23.6012909523441, 244.024637934444,
                                                        1282.61652607737, 2844.23683343917};
constexpr std::array<double, 9> kErfcMiddleNumerator = {
    0.56418849698867, 8.88314979438838, 66.1191906371416, 298.6351381974,     881.952221241769,
    1712.04761263407, 2051.07837782607, 1230.339354798,   2.15311535474404e-8};
constexpr std::array<double, 8> kErfcMiddleDenominator = {
    15.7449261107098, 117.693950891312, 537.18110186201,  1621.38957456669,
    3290.79923573346, 4362.61909014325, 3439.36767414372, 1230.33935480375};
constexpr std::array<double, 6> kErfcLargeNumerator = {-0.305326634961232,    -0.360344899949804,
                                                       -0.125781726111229,    -0.0160837851487423,
                                                       -0.000658749161529838, -0.0163153871373021};
constexpr std::array<double, 5> kErfcLargeDenominator = {
    2.56852019228982, 1.87295284992346, 0.527905102951428, 0.0605183413124413, 0.00233520497626869};
constexpr double kOneOverRootPi = 0.564189583547756;
constexpr double kErfSmallEnd = 0.477;
constexpr double kErfMiddleEnd = 4;
constexpr double kErfSaturatesFrom = 6.375;
constexpr double kErfcVanishesFrom = 13.3;

// The largest prime not above 0..6; 0 where there is none.
constexpr std::array<std::int64_t, 7> kLargestPrimeUpTo = {0, 0, 2, 3, 3, 5, 5};

// Combin, Accomod and Bico give up (a fault) rather than run longer than this.
constexpr double kProductStepLimit = 1e7;

// Past 170! the product leaves the double range.
double factorialOrOverflow(FunctionCall& call, double x) {
    std::optional<double> product = factorialOf(x);
    return product ? *product : call.fail(EngineError::Overflow, 0);
}

// Gamma of a positive x: the recurrence brings x into [1.5, 2.5] for the rational fit;
// above 12 Stirling's series takes over.
double positiveGamma(double x) {
    if (x > kGammaAsymptoticFrom) {
        double logX = std::log(x);
        double leading = (logX - 1) * x - 0.5 * logX;
        double z = 1 / x;
        double series = kStirlingSeries[6];
        for (int k = 0; k <= 4; ++k)
            series = z * z * series + kStirlingSeries[k];
        return std::exp(z * series + kStirlingSeries[5] + leading);
    }
    double nearest = roundHalfEven(x);
    double factor = 1;
    if (nearest <= 0) {
        factor = 1 / ((x + 1) * x);
        x += 2;
    } else if (nearest == 1) {
        factor = 1 / x;
        x += 1;
    } else {
        for (double k = 3; k <= nearest; ++k) {
            x -= 1;
            factor *= x;
        }
    }
    double numerator = x * kGammaNumerator[7] + kGammaNumerator[8];
    double denominator = x + kGammaDenominator[7];
    for (int k = 0; k <= 6; ++k) {
        numerator = x * numerator + kGammaNumerator[k];
        denominator = x * denominator + kGammaDenominator[k];
    }
    return factor * numerator / denominator;
}

// Negative arguments go through the reflection formula Gamma(x) Gamma(1 - x) = pi / sin(pi x).
// Near zero, at the poles and beyond the range the answer is an overflow with a huge value.
double gammaFunction(FunctionCall& call, double x) {
    if (std::fabs(x) <= kGammaSmallest) {
        return call.fail(EngineError::Overflow, x >= 0 ? kGammaOverflow : -kGammaOverflow);
    }
    if (std::fabs(x) >= kGammaLargest) return call.fail(EngineError::Overflow, kGammaOverflow);
    if (x > 0) return positiveGamma(x);
    double y = -x;
    double nearest = roundHalfEven(y);
    double sign = std::fmod(nearest, 2) == 0 ? -1 : 1;
    double fraction = y - nearest;
    if (fraction == 0) {
        return call.fail(EngineError::Overflow, sign < 0 ? kGammaOverflow : -kGammaOverflow);
    }
    double reflection = sign * kPi / std::sin(kPi * fraction);
    return reflection / positiveGamma(y + 1);
}

// The factorial on non-negative integers, Gamma(x + 1) between them; negative integers are
// poles.
double generalisedFactorial(FunctionCall& call, double x) {
    if (x == 0) return 1;
    if (std::trunc(std::fabs(x)) == x) return factorialOrOverflow(call, x);
    if (std::trunc(x) == x) return call.fail(EngineError::Overflow, 0);
    return gammaFunction(call, x + 1);
}

// n (n - 1) ... (n - m + 1), built one factor per step i = 1, 2, ... while i <= m - 1; with
// `divide` each step also divides by i. Once the product is 0 it stays 0, so the loop ends
// there; it also ends when the product overflows, and a loop too long to finish is a fault.
double fallingProduct(Faults& f, double n, double m, bool divide) {
    double product = n;
    for (double i = 1; i <= m - 1; ++i) {
        if (i > kProductStepLimit) {
            f.raise();
            return 0;
        }
        product = divide ? (n - i) * product / i : (n - i) * product;
        if (product == 0) return 0;
        if (!std::isfinite(product)) {
            f.raise();
            return 0;
        }
    }
    return product;
}

double combinatorial(FunctionCall& call, Function function) {
    double n = call.argument(1);
    double m = call.argument(2);
    if (m == 0 || n == 0) return 1;
    Faults& f = call.faults();
    switch (function) {
        case Function::Accomod:
            return fallingProduct(f, n, m, false);
        case Function::Combin:
            return fallingProduct(f, n, m, true) / m;
        default:  // Bico: m times the binomial coefficient
            return fallingProduct(f, n, m, true);
    }
}

// erf(y) for 0 <= y < 0.477.
double erfNearZero(double y) {
    if (y < 1e-10) return y * kErfSmallNumerator[3] / kErfSmallDenominator[3];
    double z = y * y;
    double numerator = kErfSmallNumerator[4] * z + kErfSmallNumerator[0];
    double denominator = z + kErfSmallDenominator[0];
    for (int k = 1; k <= 3; ++k) {
        numerator = numerator * z + kErfSmallNumerator[k];
        denominator = denominator * z + kErfSmallDenominator[k];
    }
    return y * numerator / denominator;
}

// erfc(y) for 0.477 <= y <= 4.
double erfcMiddle(double y) {
    double numerator = kErfcMiddleNumerator[8] * y + kErfcMiddleNumerator[0];
    double denominator = y + kErfcMiddleDenominator[0];
    for (int k = 1; k <= 7; ++k) {
        numerator = numerator * y + kErfcMiddleNumerator[k];
        denominator = denominator * y + kErfcMiddleDenominator[k];
    }
    return std::exp(-y * y) * (numerator / denominator);
}

// erfc(y) for y > 4, as a series in 1 / y^2.
double erfcLarge(double y) {
    double w = 1 / (y * y);
    double numerator = kErfcLargeNumerator[5] * w + kErfcLargeNumerator[0];
    double denominator = w + kErfcLargeDenominator[0];
    for (int k = 1; k <= 4; ++k) {
        numerator = numerator * w + kErfcLargeNumerator[k];
        denominator = denominator * w + kErfcLargeDenominator[k];
    }
    double ratio = (w * numerator / denominator + kOneOverRootPi) / y;
    return std::exp(-y * y) * ratio;
}

double errorFunction(double x) {
    double y = std::fabs(x);
    double value = 1;
    if (y < kErfSmallEnd) {
        value = erfNearZero(y);
    } else if (y <= kErfMiddleEnd) {
        value = 1 - erfcMiddle(y);
    } else if (y < kErfSaturatesFrom) {
        value = 1 - erfcLarge(y);
    }
    return x < 0 ? -value : value;
}

double complementaryErrorFunction(double x) {
    double y = std::fabs(x);
    if (y < kErfSmallEnd) return 1 - (x < 0 ? -erfNearZero(y) : erfNearZero(y));
    double tail = 0;
    if (y <= kErfMiddleEnd) {
        tail = erfcMiddle(y);
    } else if (x < 0 && y >= kErfSaturatesFrom) {
        return 2;
    } else if (x >= 0 && y >= kErfcVanishesFrom) {
        return 0;
    } else {
        tail = erfcLarge(y);
    }
    return x >= 0 ? tail : 2 - tail;
}

// Candidates are of the form 6k ± 1, so neither 2 nor 3 divides them: odd divisors from 5
// up to the rounded square root decide.
bool hasNoDivisorFromFive(std::int64_t p) {
    auto bound = static_cast<std::int64_t>(roundHalfEven(std::sqrt(static_cast<double>(p))));
    for (std::int64_t d = 5;; d += 2) {
        if (p % d == 0) return false;
        if (d + 2 > bound) return true;
    }
}

// The largest prime not above |Int(x)|, with the sign of x.
double largestPrime(Faults& f, double x) {
    std::int64_t p = f.truncateToInt32(x);
    if (f.raised()) return 0;
    p = p < 0 ? -p : p;
    if (p < static_cast<std::int64_t>(kLargestPrimeUpTo.size())) {
        p = kLargestPrimeUpTo[static_cast<std::size_t>(p)];
        if (p == 0) {
            f.raise();
            return 0;
        }
    } else {
        if (p % 2 == 0) --p;
        for (;;) {
            while ((p + 1) % 6 != 0 && (p - 1) % 6 != 0)
                p -= 2;
            if (hasNoDivisorFromFive(p)) break;
            p -= 2;
        }
    }
    auto prime = static_cast<double>(p);
    return x < 0 ? -prime : prime;
}

// Rand() and Rand(x) with an omitted x take the next number; otherwise x steers the
// generator. The number is single precision.
double randomNumber(FunctionCall& call) {
    RandomGenerator& generator = call.evaluator().tables().random;
    if (!call.hasArguments() || call.isEmpty(1)) return generator.next();
    return generator.next(call.argument(1));
}

}  // namespace

double computeSpecial(FunctionCall& call) {
    Faults& f = call.faults();
    switch (call.function()) {
        case Function::Permut:
            return factorialOrOverflow(call, call.argument(1));
        case Function::II:
            return generalisedFactorial(call, call.argument(1));
        case Function::Gamma:
            return gammaFunction(call, call.argument(1));
        case Function::Combin:
        case Function::Accomod:
        case Function::Bico:
            return combinatorial(call, call.function());
        case Function::Erf:
            return errorFunction(call.argument(1));
        case Function::Erfc:
            return complementaryErrorFunction(call.argument(1));
        case Function::Prime:
            return largestPrime(f, call.argument(1));
        case Function::Rand:
            return randomNumber(call);
        default:
            break;
    }
    f.raise();
    return 0;
}

}  // namespace tally
