#pragma once

#include <array>
#include <string_view>

namespace tally {

// The built-in functions by number; the symbol-table code of a function is its negated
// number. The table below lists them in this order.
// clang-format off
enum class Function {
    Abs = 1, Round, Cos, Exp, Floor, Int, Ln, Log, Sqrt, Sign,
    Sin, Root, Tg, LogN, Ctg, Sc, Csc, ArcTg, ArcSin, ArcCos,
    ArcSc, ArcCsc, ArcCtg, Sh, Ch, Th, Sch, Csch, Cth, ArSh,
    ArCh, ArTh, ArSch, ArCsch, ArCth, Ave, Sum, Min, Max, FSum,
    FInt, SumSq, Norm, DevSq, VarP, Var, Std, StdP, Fract, DegToRad,
    RadToDeg, Prime, FDiff, FDiff2, FDiff3, FZero, FMin, FMax, DDB, FV,
    IPmt, IRR, MIRR, NPer, NPV, Pmt, PPmt, PV, Rate, SLN,
    SYD, Erf, Bico, Gamma, II, Combin, Accomod, Permut, Erfc, Rand,
    FPlot, YPlot, XYPlot, Do, Ceil,
};
// clang-format on

inline constexpr int kBuiltInFunctionCount = static_cast<int>(Function::Ceil);

constexpr int numberOf(Function function) {
    return static_cast<int>(function);
}

// Which module computes a built-in function.
enum class FunctionFamily { Elementary, Statistics, Special, Solver, Finance };

inline constexpr int kAnyCount = 1 << 30;

struct FunctionSpec {
    Function function;
    std::u16string_view name;       // as registered
    std::u16string_view signature;  // the help text shown while typing a call
    int minArguments;
    int maxArguments;  // kAnyCount: no upper bound
    FunctionFamily family;
    // Leading arguments that are expressions in a bound variable (solvers, loops, plots):
    // their one evaluation with the current values is only a by-product of reading them.
    int expressionArguments = 0;
};

// The built-in functions, indexed by number - 1.
const std::array<FunctionSpec, kBuiltInFunctionCount>& functionTable();
inline const FunctionSpec& functionSpec(Function function) {
    return functionTable()[static_cast<std::size_t>(numberOf(function) - 1)];
}

}  // namespace tally
