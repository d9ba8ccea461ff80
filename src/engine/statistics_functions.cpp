#include <cmath>
#include <vector>

#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

// The list's values in the order they are accumulated: from the last argument to the first.
// Omitted arguments, as in "Ave(1,,3)", are not values of the list.
std::vector<double> listValues(const FunctionCall& call) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(call.count()));
    for (int i = call.count(); i >= 1; --i) {
        if (!call.isEmpty(i)) values.push_back(call.argument(i));
    }
    return values;
}

double sum(const std::vector<double>& values) {
    double total = 0;
    for (double value : values)
        total += value;
    return total;
}

double sumOfSquares(Faults& f, const std::vector<double>& values) {
    double total = 0;
    for (double value : values)
        total += f.power(value, 2);
    return total;
}

// The mean over the whole list comes first; an empty list has no deviations.
double sumOfSquaredDeviations(Faults& f, const std::vector<double>& values) {
    if (values.empty()) return 0;
    double mean = sum(values) / static_cast<double>(values.size());
    double total = 0;
    for (double value : values)
        total += f.power(value - mean, 2);
    return total;
}

// The population variance divides by n, the sample variance by n - 1: an empty list, or a
// sample of one value, divides by zero.
double variance(Faults& f, const std::vector<double>& values, bool sample) {
    if (values.empty()) {
        f.raise();
        return 0;
    }
    auto n = static_cast<double>(values.size());
    return f.divide(sumOfSquaredDeviations(f, values), sample ? n - 1 : n);
}

// The running value starts at the last argument and moves only for a strictly better one.
double extreme(Faults& f, const std::vector<double>& values, bool largest) {
    if (values.empty()) {
        f.raise();
        return 0;
    }
    double result = values.front();
    for (double value : values) {
        if (largest ? value > result : value < result) result = value;
    }
    return result;
}

}  // namespace

double computeStatistics(FunctionCall& call) {
    Faults& f = call.faults();
    switch (call.function()) {
        case Function::Ave: {
            std::vector<double> values = listValues(call);
            return f.divide(sum(values), static_cast<double>(values.size()));
        }
        case Function::Sum:
            return sum(listValues(call));
        case Function::Min:
            return extreme(f, listValues(call), false);
        case Function::Max:
            return extreme(f, listValues(call), true);
        case Function::SumSq:
            return sumOfSquares(f, listValues(call));
        case Function::Norm:
            return f.sqrt(sumOfSquares(f, listValues(call)));
        case Function::DevSq:
            return sumOfSquaredDeviations(f, listValues(call));
        case Function::VarP:
            return variance(f, listValues(call), false);
        case Function::Var:
            return variance(f, listValues(call), true);
        case Function::StdP:
            return f.sqrt(variance(f, listValues(call), false));
        case Function::Std:
            return f.sqrt(variance(f, listValues(call), true));
        default:
            break;
    }
    f.raise();
    return 0;
}

}  // namespace tally
