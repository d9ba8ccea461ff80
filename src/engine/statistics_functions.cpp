#include <cmath>

#include "engine/function_call.h"
#include "engine/function_table.h"

namespace tally {

namespace {

// The list's values in the order they are accumulated: from the last argument to the first.
// Omitted arguments, as in "Ave(1,,3)", are not values of the list. The values are read
// where the call keeps them, not copied.
class ListValues {
  public:
    class Iterator {
      public:
        Iterator(const FunctionCall& call, int index) : m_call(&call), m_index(index) {
            skipOmitted();
        }
        double operator*() const { return m_call->argument(m_index); }
        Iterator& operator++() {
            --m_index;
            skipOmitted();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_index != other.m_index; }

      private:
        void skipOmitted() {
            while (m_index >= 1 && m_call->isEmpty(m_index))
                --m_index;
        }
        const FunctionCall* m_call;
        int m_index;
    };

    explicit ListValues(const FunctionCall& call) : m_call(call) {
        for (int i = 1; i <= call.count(); ++i) {
            if (!call.isEmpty(i)) ++m_size;
        }
    }
    Iterator begin() const { return {m_call, m_call.count()}; }
    Iterator end() const { return {m_call, 0}; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    double front() const { return *begin(); }

  private:
    const FunctionCall& m_call;
    std::size_t m_size = 0;
};

ListValues listValues(const FunctionCall& call) {
    return ListValues(call);
}

double sum(const ListValues& values) {
    double total = 0;
    for (double value : values)
        total += value;
    return total;
}

double sumOfSquares(Faults& f, const ListValues& values) {
    double total = 0;
    for (double value : values)
        total += f.power(value, 2);
    return total;
}

// The mean over the whole list comes first; an empty list has no deviations.
double sumOfSquaredDeviations(Faults& f, const ListValues& values) {
    if (values.empty()) return 0;
    double mean = sum(values) / static_cast<double>(values.size());
    double total = 0;
    for (double value : values)
        total += f.power(value - mean, 2);
    return total;
}

// The population variance divides by n, the sample variance by n - 1: an empty list, or a
// sample of one value, divides by zero.
double variance(Faults& f, const ListValues& values, bool sample) {
    if (values.empty()) {
        f.raise();
        return 0;
    }
    auto n = static_cast<double>(values.size());
    return f.divide(sumOfSquaredDeviations(f, values), sample ? n - 1 : n);
}

// The running value starts at the last argument and moves only for a strictly better one.
double extreme(Faults& f, const ListValues& values, bool largest) {
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
            ListValues values = listValues(call);
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
