#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "engine/factorial.h"
#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

// Where Gamma has no finite value (at its poles, next to 0, beyond about 171.6) the
// answer is an overflow with this huge value, signed as the function tends.
constexpr double kGammaOverflow = 7.237005577e75;

// The largest prime not above 0..6; 0 where there is none.
constexpr std::array<std::int64_t, 7> kLargestPrimeUpTo = {0, 0, 2, 3, 3, 5, 5};

// Combin, Accomod and Bico give up (a fault) rather than run longer than this.
constexpr double kProductStepLimit = 1e7;

// Past 170! the product leaves the double range.
double factorialOrOverflow(FunctionCall& call, double x) {
    std::optional<double> product = factorialOf(x);
    return product ? *product : call.fail(EngineError::Overflow, 0);
}

// Gamma to the accuracy of the runtime library, over the whole range where its value is
// a finite double. At a pole (0 and the negative integers) and where the value overflows
// the answer is the overflow with a huge value.
double gammaFunction(FunctionCall& call, double x) {
    if (x <= 0 && std::trunc(x) == x) {
        // Towards -n from the right, Gamma tends to +infinity for even n and -infinity for
        // odd n; at 0 to the sign of the zero.
        double sign = x == 0 ? (std::signbit(x) ? -1 : 1) : std::fmod(-x, 2) == 0 ? 1 : -1;
        return call.fail(EngineError::Overflow, sign * kGammaOverflow);
    }
    double value = std::tgamma(x);
    if (!std::isfinite(value)) {
        return call.fail(EngineError::Overflow, std::copysign(kGammaOverflow, value));
    }
    return value;
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

// No way to choose a negative number of elements: Combin and Bico are 0, Accomod has no
// value. Choosing none is 1 way; choosing some out of none is none.
double combinatorial(FunctionCall& call, Function function) {
    double n = call.argument(1);
    double m = call.argument(2);
    Faults& f = call.faults();
    if (m < 0) {
        if (function == Function::Accomod) f.raise();
        return 0;
    }
    if (m == 0) return 1;
    if (n == 0) return 0;
    switch (function) {
        case Function::Accomod:
            return fallingProduct(f, n, m, false);
        case Function::Combin:
            return fallingProduct(f, n, m, true) / m;
        default:  // Bico: m times the binomial coefficient
            return fallingProduct(f, n, m, true);
    }
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
        // The runtime library's error functions are accurate to the last digit, and Erfc
        // keeps its tail down to the smallest double.
        case Function::Erf:
            return std::erf(call.argument(1));
        case Function::Erfc:
            return std::erfc(call.argument(1));
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
