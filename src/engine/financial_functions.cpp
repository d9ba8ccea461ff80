#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

// Rate and IRR: Newton's method stops when a step is below this fraction of the rate, and
// gives up after this many steps.
constexpr double kAccuracy = 1e-7;
constexpr int kIterations = 20;
constexpr double kDefaultGuess = 0.1;
constexpr double kDefaultFactor = 2;

// The argument, or its default when the user left it out.
double orDefault(FunctionCall& call, int i, double fallback) {
    return call.count() < i || call.isEmpty(i) ? fallback : call.argument(i);
}

// Payments fall due at the start of each period (1) for any non-zero type, otherwise at
// the end (0).
double dueAtStart(FunctionCall& call, int i) {
    return orDefault(call, i, 0) != 0 ? 1 : 0;
}

// The number of periods of FV, Pmt, PPmt and PV: nearest integer, halves to even, within
// the 16-bit range.
double wholePeriods(Faults& f, double periods) {
    double rounded = roundHalfEven(periods);
    if (!(rounded >= -32768 && rounded <= 32767)) f.raise();
    return rounded;
}

// (1 + rate)^periods: what one unit grows to. Through log1p above -1, so that small rates
// keep their precision.
double growth(double rate, double periods) {
    if (rate > -1) return std::exp(periods * std::log1p(rate));
    return std::pow(1 + rate, periods);
}

// ((1 + rate)^periods - 1) / rate: what one unit paid at the end of every period is worth
// at the end of the last; simply the number of periods at a zero rate.
double annuityFactor(double rate, double periods) {
    if (rate == 0) return periods;
    if (rate > -1) return std::expm1(periods * std::log1p(rate)) / rate;
    return (std::pow(1 + rate, periods) - 1) / rate;
}

// The same payments valued at the start: (1 - (1 + rate)^-periods) / rate.
double presentFactor(double rate, double periods) {
    return -annuityFactor(rate, -periods);
}

// Future value: -(pv (1+rate)^n + pmt (1 + rate type) ((1+rate)^n - 1) / rate).
double futureValue(double rate, double periods, double payment, double present, double type) {
    return -(present * growth(rate, periods) +
             payment * (1 + rate * type) * annuityFactor(rate, periods));
}

// Present value: -(fv (1+rate)^-n + pmt (1 + rate type) (1 - (1+rate)^-n) / rate). Written
// with the discount factor, which stays finite over many periods at a positive rate.
double presentValue(double rate, double periods, double payment, double future, double type) {
    return -(future * growth(rate, -periods) +
             payment * (1 + rate * type) * presentFactor(rate, periods));
}

// Payment: the pmt that makes pv (1+rate)^n + pmt (1 + rate type) ((1+rate)^n - 1) / rate
// + fv zero. Divided through by whichever of (1+rate)^n and (1+rate)^-n does not exceed
// 1, so that neither overflows over many periods.
double payment(Faults& f, double rate, double periods, double present, double future, double type) {
    double discount = growth(rate, -periods);
    if (std::fabs(discount) <= 1) {
        return -f.divide(present + future * discount,
                         (1 + rate * type) * presentFactor(rate, periods));
    }
    return -f.divide(present * growth(rate, periods) + future,
                     (1 + rate * type) * annuityFactor(rate, periods));
}

// Interest part of the payment in period `period` (1..n): the rate times the balance at
// the start of the period. Paid at the start of each period, a payment settles the
// interest of the period before, discounted by one period, and the first settles none.
double interestPayment(Faults& f, double rate, double period, double periods, double present,
                       double future, double type) {
    if (!(period >= 1 && period <= periods)) {
        f.raise();
        return 0;
    }
    double perPeriod = payment(f, rate, periods, present, future, type);
    if (type != 0 && period == 1) return 0;
    double interest = futureValue(rate, period - 1, perPeriod, present, type) * rate;
    return type != 0 ? f.divide(interest, 1 + rate) : interest;
}

// Number of periods: solves pv (1+rate)^n + pmt (1 + rate type) ((1+rate)^n - 1) / rate
// + fv = 0 for n: (1+rate)^n = (p - fv) / (p + pv), where p = pmt (1 + rate type) / rate
// is the value of the payments continued for ever; -(pv + fv) / pmt at a zero rate.
double numberOfPeriods(Faults& f, double rate, double payment, double present, double future,
                       double type) {
    if (rate == 0) return -f.divide(present + future, payment);
    if (rate <= -1) {
        f.raise();
        return 0;
    }
    // n = ln((p - fv) / (p + pv)) / ln(1 + rate) for the perpetuity p; the ratio is written
    // as 1 + x so that a tiny rate, where it is next to 1, keeps its digits.
    double perpetuity = payment * (1 + rate * type) / rate;
    double x = f.divide(-(future + present), perpetuity + present);
    if (!(x > -1)) {
        f.raise();
        return 0;
    }
    return f.divide(std::log1p(x), std::log1p(rate));
}

// A function of the rate and its derivative at one rate: what a Newton step needs.
struct Tangent {
    double value;
    double derivative;
};

// Newton's method from the guess for a function defined above a rate of -1: a step that
// would leave that range goes half way to -1 instead. Nothing when the iteration fails to
// settle within kIterations steps or leaves the double range.
template <class Function>
std::optional<double> solveForRate(Function function, double guess) {
    if (!(guess > -1)) return std::nullopt;
    double rate = guess;
    for (int i = 0; i < kIterations; ++i) {
        Tangent tangent = function(rate);
        if (tangent.value == 0) return rate;
        if (!std::isfinite(tangent.value) || !std::isfinite(tangent.derivative) ||
            tangent.derivative == 0) {
            break;
        }
        double next = rate - tangent.value / tangent.derivative;
        if (!std::isfinite(next)) break;
        if (next <= -1) next = (rate - 1) / 2;
        if (std::fabs(next - rate) <= kAccuracy * std::max(std::fabs(next), kAccuracy)) {
            return next;
        }
        rate = next;
    }
    return std::nullopt;
}

// Rate per period: the root of pv (1+r)^n + pmt (1 + r type) ((1+r)^n - 1) / r + fv.
// Newton's method works on that balance divided by (1+r)^n and by P = (1 - (1+r)^-n) / r,
// neither of which vanishes: (pv + fv (1+r)^-n) / P + pmt (1 + r type), the payment given
// less the one the rate r would call for. Over many periods this is nearly linear in r,
// where the balance grows exponentially and the steps from a distant guess fall short.
std::optional<double> rate(double periods, double payment, double present, double future,
                           double type, double guess) {
    // With nothing owed or paid every rate would do.
    if (payment == 0 && present == 0 && future == 0) return std::nullopt;
    auto settlement = [=](double r) {
        double discount = growth(r, -periods);
        double factor = presentFactor(r, periods);
        double discountSlope = -periods * discount / (1 + r);
        // d/dr P; its limit -n (n + 1) / 2 near zero, where the quotient loses its digits.
        double factorSlope =
            std::fabs(r) < 1e-7 ? -periods * (periods + 1) / 2 : -(discountSlope + factor) / r;
        double owed = present + future * discount;
        return Tangent{owed / factor + payment * (1 + r * type),
                       (future * discountSlope * factor - owed * factorSlope) / (factor * factor) +
                           payment * type};
    };
    return solveForRate(settlement, guess);
}

// The cash-flow values: the arguments from `first` to the last.
std::vector<double> values(FunctionCall& call, int first) {
    std::vector<double> list;
    for (int i = first; i <= call.count(); ++i) {
        list.push_back(call.argument(i));
    }
    return list;
}

// Internal rate of return: the root of the sum of v_i / (1+r)^i, i = 0..n-1. Tried from
// 0.1, then from -0.1, 0, 0.1, ... while the guess that would follow stays within 1.
// Without both a positive and a negative value there is no root (or, all zero, any rate).
std::optional<double> internalRate(const std::vector<double>& flows) {
    auto positive = [](double value) { return value > 0; };
    auto negative = [](double value) { return value < 0; };
    if (std::none_of(flows.begin(), flows.end(), positive) ||
        std::none_of(flows.begin(), flows.end(), negative)) {
        return std::nullopt;
    }
    auto presentWorth = [&](double r) {
        double discount = 1 / (1 + r);
        double factor = 1;
        Tangent tangent{0, 0};
        for (std::size_t i = 0; i < flows.size(); ++i) {
            tangent.value += flows[i] * factor;
            tangent.derivative -= static_cast<double>(i) * flows[i] * factor * discount;
            factor *= discount;
        }
        return tangent;
    };
    if (auto found = solveForRate(presentWorth, kDefaultGuess)) return found;
    for (double guess = -0.1; guess + 0.1 <= 1.0; guess += 0.1) {
        if (auto found = solveForRate(presentWorth, guess)) return found;
    }
    return std::nullopt;
}

// Modified internal rate of return over n values: (FV of the positive values at the
// reinvestment rate / -PV of the negative values at the finance rate)^(1/(n-1)) - 1.
double modifiedInternalRate(Faults& f, double finance, double reinvest,
                            const std::vector<double>& flows) {
    if (finance == -1) {
        f.raise();
        return 0;
    }
    auto last = static_cast<double>(flows.size() - 1);
    double income = 0;
    double outlay = 0;
    bool positive = false;
    bool negative = false;
    for (std::size_t i = 0; i < flows.size(); ++i) {
        auto period = static_cast<double>(i);
        if (flows[i] > 0) {
            positive = true;
            income += flows[i] * growth(reinvest, last - period);
        } else if (flows[i] < 0) {
            negative = true;
            outlay -= flows[i] / growth(finance, period);
        }
    }
    if (!positive || !negative) {
        f.raise();
        return 0;
    }
    return f.power(f.divide(income, outlay), 1 / last) - 1;
}

// Net present value: the sum of v_i / (1+rate)^i, i = 1..n.
double netPresentValue(Faults& f, double rate, const std::vector<double>& flows) {
    if (rate == -1) {
        f.raise();
        return 0;
    }
    double sum = 0;
    double factor = 1;
    for (double value : flows) {
        factor /= 1 + rate;
        sum += value * factor;
    }
    return sum;
}

// Double-declining balance: the book value before the period, cost (1 - factor/life)^(p-1),
// times factor/life (at most all of it), never taking the book value below salvage.
double decliningBalance(Faults& f, double cost, double salvage, double life, double period,
                        double factor) {
    if (!(cost >= 0 && salvage >= 0 && life > 0 && factor > 0 && period >= 1 && period <= life)) {
        f.raise();
        return 0;
    }
    double share = std::min(factor / life, 1.0);
    double book = cost * std::pow(1 - share, period - 1);
    return std::min(book * share, std::max(0.0, book - salvage));
}

// Sum of years' digits: (cost - salvage) (life - period + 1) 2 / (life (life + 1)).
double yearsDigits(Faults& f, double cost, double salvage, double life, double period) {
    if (!(life > 0 && period >= 1 && period <= life)) {
        f.raise();
        return 0;
    }
    return (cost - salvage) * (life - period + 1) * 2 / (life * (life + 1));
}

// A rate the iteration found, or a fault.
double found(Faults& f, std::optional<double> rate) {
    if (!rate) f.raise();
    return rate.value_or(0);
}

}  // namespace

double computeFinance(FunctionCall& call) {
    Faults& f = call.faults();
    auto argument = [&](int i) { return call.argument(i); };
    switch (call.function()) {
        case Function::DDB:
            return decliningBalance(f, argument(1), argument(2), argument(3), argument(4),
                                    orDefault(call, 5, kDefaultFactor));
        case Function::FV:
            return futureValue(argument(1), wholePeriods(f, argument(2)), argument(3),
                               orDefault(call, 4, 0), dueAtStart(call, 5));
        case Function::IPmt:
            return interestPayment(f, argument(1), argument(2), argument(3), argument(4),
                                   orDefault(call, 5, 0), dueAtStart(call, 6));
        case Function::IRR:
            return found(f, internalRate(values(call, 1)));
        case Function::MIRR:
            return modifiedInternalRate(f, argument(1), argument(2), values(call, 3));
        case Function::NPer:
            return numberOfPeriods(f, argument(1), argument(2), argument(3), orDefault(call, 4, 0),
                                   dueAtStart(call, 5));
        case Function::NPV:
            return netPresentValue(f, argument(1), values(call, 2));
        case Function::Pmt:
            return payment(f, argument(1), wholePeriods(f, argument(2)), argument(3),
                           orDefault(call, 4, 0), dueAtStart(call, 5));
        case Function::PPmt: {
            double periods = wholePeriods(f, argument(3));
            double future = orDefault(call, 5, 0);
            double type = dueAtStart(call, 6);
            return payment(f, argument(1), periods, argument(4), future, type) -
                   interestPayment(f, argument(1), argument(2), periods, argument(4), future, type);
        }
        case Function::PV:
            return presentValue(argument(1), wholePeriods(f, argument(2)), argument(3),
                                orDefault(call, 4, 0), dueAtStart(call, 5));
        case Function::Rate:
            return found(f, rate(argument(1), argument(2), argument(3), orDefault(call, 4, 0),
                                 dueAtStart(call, 5), orDefault(call, 6, kDefaultGuess)));
        case Function::SLN:
            return f.divide(argument(1) - argument(2), argument(3));
        case Function::SYD:
            return yearsDigits(f, argument(1), argument(2), argument(3), argument(4));
        default:
            break;
    }
    f.raise();
    return 0;
}

}  // namespace tally
