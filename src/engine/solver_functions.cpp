#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/faults.h"
#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

constexpr double kLargest = 1.79769313486231e308;
constexpr int kMostPoints = 1000000;
constexpr double kMostTerms = 1e8;
// FZero and FMin settle within a few hundred steps on any function that has the root or
// minimum asked for; one that keeps them searching longer is given up.
constexpr int kMostSearchSteps = 10000;

// An expression in a bound variable, evaluated again and again for trial values.
class BoundExpression {
  public:
    BoundExpression(LineEvaluator& evaluator, EntryRef bound, std::u16string text)
        : m_evaluator(evaluator), m_bound(bound), m_text(std::move(text)) {}

    // Evaluation by the solvers: failures of single points are forgotten.
    double operator()(double t) { return m_evaluator.evaluateAt(m_text, m_bound, t, true); }
    // Evaluation by loops and plots: failures stay for the line to report.
    double plain(double t) { return m_evaluator.evaluateAt(m_text, m_bound, t, false); }
    bool stopped() const { return m_evaluator.unwinding(); }
    const std::u16string& text() const { return m_text; }

  private:
    LineEvaluator& m_evaluator;
    EntryRef m_bound;
    std::u16string m_text;
};

double machineEpsilon() {
    double epsilon = 1;
    while (1 + epsilon / 2 > 1)
        epsilon /= 2;
    return epsilon / 2;
}

double withSign(double magnitude, double sign) {
    return sign >= 0 ? std::fabs(magnitude) : -std::fabs(magnitude);
}

// FSum: the terms at x = a + k·step for k = 0, 1, ... while x has not passed b. The count
// of terms is worked out first, with a margin for rounding, so the last term is never lost
// to an accumulated step. A loop that could never finish is refused rather than run for
// ever.
double sum(BoundExpression& f, double a, double b, double step, Faults& faults) {
    if (step >= 0 ? a > b : a < b) return 0;
    if (step == 0 || a + step == a || b + step == b || (b - a) / step > kMostTerms) {
        faults.raise();
        return 0;
    }
    auto terms = static_cast<long>(std::floor((b - a) / step + 1e-9)) + 1;
    double total = 0;
    for (long k = 0; k < terms && !f.stopped(); ++k)
        total += f.plain(a + static_cast<double>(k) * step);
    return total;
}

// FInt: adaptive eight-panel Newton-Cotes quadrature with relative tolerance `tolerance`.
double integrate(BoundExpression& f, double a, double b, double tolerance) {
    constexpr int kLevelMin = 1;
    constexpr int kLevelOut = 6;
    constexpr int kMostEvaluations = 5000;
    constexpr double w0 = 3956.0 / 14175, w1 = 23552.0 / 14175, w2 = -3712.0 / 14175,
                     w3 = 41984.0 / 14175, w4 = -18160.0 / 14175;
    if (a == b) return 0;
    int levelMax = 30;
    int noFinish = kMostEvaluations - 8 * (levelMax - kLevelOut + (1 << (kLevelOut + 1)));
    double result = 0, correction = 0, area = 0;
    int evaluations = 0;
    std::array<double, 17> x{}, fx{};
    std::array<std::array<double, 9>, 31> savedF{}, savedX{};
    std::array<double, 32> rightHalf{};
    int level = 0;
    int intervals = 1;
    double x0 = a;
    x[16] = b;
    double previous = 0;
    double f0 = f(x0);
    double stone = (b - a) / 16;
    x[8] = (x0 + x[16]) / 2;
    x[4] = (x0 + x[8]) / 2;
    x[12] = (x[8] + x[16]) / 2;
    x[2] = (x0 + x[4]) / 2;
    x[6] = (x[4] + x[8]) / 2;
    x[10] = (x[8] + x[12]) / 2;
    x[14] = (x[12] + x[16]) / 2;
    for (int j = 2; j <= 16; j += 2)
        fx[j] = f(x[j]);
    evaluations = 9;
    for (;;) {
        if (f.stopped()) return 0;
        x[1] = (x0 + x[2]) / 2;
        fx[1] = f(x[1]);
        for (int j = 3; j <= 15; j += 2) {
            x[j] = (x[j - 1] + x[j + 1]) / 2;
            fx[j] = f(x[j]);
        }
        evaluations += 8;
        double step = (x[16] - x0) / 16;
        double left = (w0 * (f0 + fx[8]) + w1 * (fx[1] + fx[7]) + w2 * (fx[2] + fx[6]) +
                       w3 * (fx[3] + fx[5]) + w4 * fx[4]) *
                      step;
        rightHalf[level + 1] = (w0 * (fx[8] + fx[16]) + w1 * (fx[9] + fx[15]) +
                                w2 * (fx[10] + fx[14]) + w3 * (fx[11] + fx[13]) + w4 * fx[12]) *
                               step;
        double now = left + rightHalf[level + 1];
        double difference = now - previous;
        area += difference;
        double estimate = std::fabs(difference) / 1023;
        double allowed = tolerance * std::fabs(area) * (step / stone);
        bool accept = level >= kLevelMin &&
                      (level >= levelMax || evaluations > noFinish || estimate <= allowed);
        if (level >= kLevelMin && level < levelMax && evaluations > noFinish) {
            noFinish *= 2;
            levelMax = kLevelOut;
        }
        if (!accept) {
            // Split: keep the right half for later and go on with the left one.
            intervals *= 2;
            ++level;
            for (int i = 1; i <= 8; ++i) {
                savedF[level][i] = fx[i + 8];
                savedX[level][i] = x[i + 8];
            }
            previous = left;
            for (int i = 1; i <= 8; ++i) {
                fx[18 - 2 * i] = fx[9 - i];
                x[18 - 2 * i] = x[9 - i];
            }
            continue;
        }
        result += now;
        correction += difference / 1023;
        while (intervals % 2 != 0) {
            intervals /= 2;
            --level;
        }
        ++intervals;
        if (level <= 0) break;
        previous = rightHalf[level];
        x0 = x[16];
        f0 = fx[16];
        for (int i = 1; i <= 8; ++i) {
            fx[2 * i] = savedF[level][i];
            x[2 * i] = savedX[level][i];
        }
    }
    return result + correction;
}

// FDiff, FDiff2, FDiff3: seven-point central differences with a step grown by 3 from the
// noise level until two consecutive estimates agree, then stepped back.
double differentiate(BoundExpression& f, double a, int order) {
    auto estimate = [&](double h) {
        double f1 = f(a + h), fm1 = f(a - h), f2 = f(a + 2 * h), fm2 = f(a - 2 * h);
        double f3 = f(a + 3 * h), fm3 = f(a - 3 * h);
        switch (order) {
            case 1:
                return (45 * (f1 - fm1) - 9 * (f2 - fm2) + (f3 - fm3)) / (60 * h);
            case 2:
                return (2 * (f3 + fm3) - 27 * (f2 + fm2) + 270 * (f1 + fm1) - 490 * f(a)) /
                       (180 * h * h);
            default:
                return (-(f3 - fm3) + 8 * (f2 - fm2) - 13 * (f1 - fm1)) / (8 * h * h * h);
        }
    };
    auto agree = [](double p, double q) {
        bool sameSign = (p >= 0) == (q >= 0);
        return sameSign && std::fabs(p - q) <= 1e-7 * std::max({1.0, std::fabs(p), std::fabs(q)});
    };
    double h = 1e-15;
    double previous = estimate(h);
    double kept = std::numeric_limits<double>::quiet_NaN();
    int agreements = 0;
    while (h < 100 && agreements < 2 && !f.stopped()) {
        h *= 3;
        double current = estimate(h);
        if (h >= 0.1 && h < 0.3) kept = current;
        bool noise = std::fabs(current / h) > 1e24 || (h < 1e-7 && std::fabs(current) < 10);
        agreements = noise ? 0 : agree(current, previous) ? agreements + 1 : 0;
        previous = current;
    }
    if (h >= 100 && std::fabs(previous) < 0.1 && !std::isnan(kept)) return kept;
    if (h > 1e-12) {
        h *= 0.001;
    } else if (h > 1e-13) {
        h *= 0.005;
    } else if (h > 1e-14) {
        h *= 0.05;
    } else if (h > 1e-15) {
        h *= 0.5;
    }
    return estimate(h);
}

// FZero: Brent's method in its classic form; needs a sign change over [a, b].
double findZero(BoundExpression& f, double a, double b, double tolerance, Faults& faults) {
    double epsilon = machineEpsilon();
    double fa = f(a), fb = f(b);
    if (fa != 0 && fb != 0 && (fa > 0) == (fb > 0)) {
        faults.raise();
        return 0;
    }
    double c = a, fc = fa, d = b - a, e = d;
    for (int step = 0;; ++step) {
        if (f.stopped()) return 0;
        if (step == kMostSearchSteps) {
            faults.raise();
            return 0;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b, b = c, c = a;
            fa = fb, fb = fc, fc = fa;
        }
        double tol1 = 2 * epsilon * std::fabs(b) + 0.5 * tolerance;
        double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0) return b;
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            double p, q, s = fb / fa;
            if (a == c) {
                p = 2 * xm * s;
                q = 1 - s;
            } else {
                double r = fb / fc;
                q = fa / fc;
                p = s * (2 * xm * q * (q - r) - (b - a) * (r - 1));
                q = (q - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2 * p < 3 * xm * q - std::fabs(tol1 * q) && p < std::fabs(0.5 * e * q)) {
                e = d;
                d = p / q;
            } else {
                d = xm, e = d;
            }
        } else {
            d = xm, e = d;
        }
        a = b, fa = fb;
        b += std::fabs(d) > tol1 ? d : withSign(tol1, xm);
        fb = f(b);
        if ((fb > 0) == (fc > 0) && fb != 0 && fc != 0) {
            c = a, fc = fa, d = b - a, e = d;
        }
    }
}

// FMin: golden-section search combined with parabolic interpolation; the abscissa of a
// minimum over [a, b].
double findMinimum(BoundExpression& f, double a, double b, double tolerance, Faults& faults) {
    const double golden = 0.5 * (3 - std::sqrt(5.0));
    const double epsilon = std::sqrt(machineEpsilon());
    double v = a + golden * (b - a), w = v, x = v, d = 0, e = 0;
    double fx = f(x), fv = fx, fw = fx;
    for (int step = 0;; ++step) {
        if (f.stopped()) return x;
        if (step == kMostSearchSteps) {
            faults.raise();
            return 0;
        }
        double xm = 0.5 * (a + b);
        double tol1 = epsilon * std::fabs(x) + tolerance / 3;
        double tol2 = 2 * tol1;
        if (std::fabs(x - xm) <= tol2 - 0.5 * (b - a)) return x;
        bool golden_step = true;
        if (std::fabs(e) > tol1) {
            double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) p = -p;
            q = std::fabs(q);
            r = e;
            e = d;
            if (std::fabs(p) < std::fabs(0.5 * q * r) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                double u = x + d;
                if (u - a < tol2 || b - u < tol2) d = withSign(tol1, xm - x);
                golden_step = false;
            }
        }
        if (golden_step) {
            e = x >= xm ? a - x : b - x;
            d = golden * e;
        }
        double u = std::fabs(d) >= tol1 ? x + d : x + withSign(tol1, d);
        double fu = f(u);
        if (fu <= fx) {
            (u >= x ? a : b) = x;
            v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw, w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
}

// The points of a loop or plot: n = |1.01·N| rounded, stepping (b - a) / (N - 1), the
// abscissa accumulated by addition.
struct Sweep {
    int count = 0;
    double step = 0;
};

bool sweep(double a, double b, double requested, Faults& faults, Sweep& result) {
    double n = roundHalfEven(requested);
    std::int32_t count = faults.roundToInt32(std::fabs(1.01 * n));
    if (faults.raised()) return false;
    if (count > kMostPoints) {
        faults.raise();
        return false;
    }
    result.count = count;
    result.step = count == 1 ? (b - a) * 1.01 : faults.divide(b - a, n - 1);
    return !faults.raised();
}

void normaliseRange(double& low, double& high) {
    if (high < low) std::swap(low, high);
    if (low == high) {
        if (low == 0) {
            low = -1, high = 1;
        } else {
            low *= 0.9, high *= 1.1;
            if (high < low) std::swap(low, high);
        }
    }
}

// FPlot and XYPlot: every point is computed first, then the ranges go to the window and
// the points follow as one connected curve.
double plot(FunctionCall& call, LineEvaluator& evaluator, EntryRef bound, bool parametric) {
    Faults& faults = call.faults();
    int count = call.count();
    int fixed = parametric ? 4 : 3;  // arguments before the optional ones
    if (parametric && (count == 6 || count == 7)) return call.fail(EngineError::TooFewArguments, 0);
    bool ranges = parametric ? count >= 8 : count >= 5;
    bool pointsGiven = parametric ? (count == 5 || count == 9) : (count == 4 || count == 6);
    double a = call.argument(fixed - 1), b = call.argument(fixed);
    if (b < a) std::swap(a, b);
    if (a == b) b = a == 0 ? 1 : b * 1.1;
    Sweep points;
    if (!sweep(a, b, pointsGiven ? call.argument(count) : 100, faults, points)) return 0;
    std::u16string first = evaluator.rewriteBoundVariable(call.argumentText(1), bound);
    BoundExpression xOf(evaluator, bound, first);
    BoundExpression yOf(
        evaluator, bound,
        parametric ? evaluator.rewriteBoundVariable(call.argumentText(2), bound) : u"");
    std::vector<double> xs, ys;
    double t = a;
    for (int k = 0; k < points.count && !evaluator.unwinding(); ++k, t += points.step) {
        if (parametric) {
            xs.push_back(xOf.plain(t));
            ys.push_back(yOf.plain(t));
        } else {
            xs.push_back(t == 0 ? 1e-100 : t);
            ys.push_back(xOf.plain(t));
        }
    }
    if (evaluator.unwinding()) return 0;
    double xMin = kLargest, xMax = -kLargest, yMin = kLargest, yMax = -kLargest;
    if (ranges) {
        int at = fixed + 1;
        xMin = parametric ? call.argument(at) : a;
        xMax = parametric ? call.argument(at + 1) : b;
        yMin = call.argument(parametric ? at + 2 : at);
        yMax = call.argument(parametric ? at + 3 : at + 1);
    } else {
        for (double y : ys)
            yMin = std::min(yMin, y), yMax = std::max(yMax, y);
        if (parametric) {
            for (double x : xs)
                xMin = std::min(xMin, x), xMax = std::max(xMax, x);
        } else {
            xMin = a, xMax = b;
        }
    }
    if (xs.empty()) return call.ans();
    normaliseRange(xMin, xMax);
    normaliseRange(yMin, yMax);
    if (PlotSink* sink = evaluator.settings().plot) {
        std::u16string title = parametric
                                   ? u"{ x=" + std::u16string(call.argumentText(1)) + u"; y=" +
                                         std::u16string(call.argumentText(2)) + u" }"
                                   : std::u16string(call.argumentText(1));
        sink->open(title);
        sink->limits(xMin, xMax, yMin, yMax);
        for (std::size_t i = 0; i < xs.size(); ++i)
            sink->plotValue(xs[i], ys[i], i > 0);
    }
    return call.ans();
}

// Do: evaluates the expression for its side effects at n points; the result is Ans.
double loop(FunctionCall& call, BoundExpression& f, Faults& faults) {
    double a = call.argument(2), b = call.argument(3);
    Sweep points;
    if (!sweep(a, b, call.count() >= 4 ? call.argument(4) : 2, faults, points)) return 0;
    double x = a;
    for (int k = 0; k < points.count && !f.stopped(); ++k, x += points.step)
        f.plain(x);
    return call.ans();
}

}  // namespace

double computeSolver(FunctionCall& call) {
    LineEvaluator& evaluator = call.evaluator();
    Faults& faults = call.faults();
    Function function = call.function();
    if (function == Function::YPlot) {
        if (PlotSink* sink = evaluator.settings().plot) {
            sink->open(u"YPlot");
            sink->yPlot(evaluator.plotX(), call.argument(1));
        }
        return call.argument(1);
    }
    // The bound variable's level is the top of the argument written "x=a" (the third
    // argument of XYPlot, the second of the others).
    int boundArgument = function == Function::XYPlot ? 3 : 2;
    const OperandLevel& level = evaluator.operandStack().at(call.argumentEnd(boundArgument) - 1);
    if (!level.isReference() || call.isEmpty(boundArgument)) {
        faults.raise();
        return 0;
    }
    EntryRef bound{level.reference};
    // A line that defines a user function only records it.
    if (evaluator.isFunctionDefinition()) return 0;
    bool tracking = evaluator.nameTracking();
    struct RestoreTracking {
        LineEvaluator& evaluator;
        bool tracking;
        ~RestoreTracking() { evaluator.setNameTracking(tracking); }
    } restore{evaluator, tracking};
    evaluator.setNameTracking(false);

    if (function == Function::FPlot || function == Function::XYPlot) {
        return plot(call, evaluator, bound, function == Function::XYPlot);
    }
    std::u16string text = evaluator.rewriteBoundVariable(call.argumentText(1), bound);
    if (function == Function::FMax) text = u"-(" + text + u")";
    BoundExpression f(evaluator, bound, std::move(text));
    double a = call.argument(2);
    // An interval wider than the largest double cannot be searched or summed.
    bool interval = function != Function::FDiff && function != Function::FDiff2 &&
                    function != Function::FDiff3 && function != Function::Do;
    if (interval && !std::isfinite(call.argument(3) - a)) {
        faults.raise();
        return 0;
    }
    double tolerance = LineEvaluator::kSolverTolerance;
    double result = 0;
    switch (function) {
        case Function::FSum:
            result = sum(f, a, call.argument(3),
                         call.count() >= 4 && !call.isEmpty(4) ? call.argument(4) : 1, faults);
            break;
        case Function::FInt:
            result = integrate(f, a, call.argument(3), tolerance);
            break;
        case Function::FDiff:
            result = differentiate(f, a, 1);
            break;
        case Function::FDiff2:
            result = differentiate(f, a, 2);
            break;
        case Function::FDiff3:
            result = differentiate(f, a, 3);
            break;
        case Function::FZero:
            result = findZero(f, a, call.argument(3), tolerance, faults);
            break;
        case Function::FMin:
        case Function::FMax:
            result = findMinimum(f, a, call.argument(3), tolerance, faults);
            break;
        case Function::Do:
            result = loop(call, f, faults);
            break;
        default:
            faults.raise();
            break;
    }
    // A cancelled or abandoned run ends as a fault of the call.
    if (evaluator.unwinding()) faults.raise();
    return result;
}

}  // namespace tally
