#pragma once

#include <array>
#include <string_view>

namespace tally {

// Which module computes a built-in function.
enum class FunctionFamily { Elementary, Statistics, Solver, Finance };

struct FunctionSpec {
    int number;                     // 1..85; the symbol-table code is -number
    std::u16string_view name;       // as registered
    std::u16string_view signature;  // the help text shown while typing a call
    int minArguments;
    int maxArguments;  // kAnyCount: no upper bound
    FunctionFamily family;
    // Leading arguments that are expressions in a bound variable (solvers, loops, plots):
    // their one evaluation with the current values is only a by-product of reading them.
    int expressionArguments = 0;
};

inline constexpr int kAnyCount = 1 << 30;
inline constexpr int kBuiltInFunctionCount = 85;

// The 85 built-in functions, indexed by number - 1.
const std::array<FunctionSpec, kBuiltInFunctionCount>& functionTable();
inline const FunctionSpec& functionSpec(int number) {
    return functionTable()[number - 1];
}

// Numbers of the functions the engine refers to by name.
namespace fn {
inline constexpr int kAbs = 1, kRound = 2, kCos = 3, kExp = 4, kFloor = 5, kInt = 6, kLn = 7,
                     kLog = 8, kSqrt = 9, kSign = 10, kSin = 11, kRoot = 12, kTg = 13, kLogN = 14,
                     kCtg = 15, kSc = 16, kCsc = 17, kArcTg = 18, kArcSin = 19, kArcCos = 20,
                     kArcSc = 21, kArcCsc = 22, kArcCtg = 23, kSh = 24, kCh = 25, kTh = 26,
                     kSch = 27, kCsch = 28, kCth = 29, kArSh = 30, kArCh = 31, kArTh = 32,
                     kArSch = 33, kArCsch = 34, kArCth = 35, kFract = 49, kDegToRad = 50,
                     kRadToDeg = 51, kCeil = 85;
}  // namespace fn

}  // namespace tally
