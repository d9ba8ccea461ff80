#pragma once

#include <string>
#include <vector>

#include "engine/function_table.h"

namespace tally {

// A function the user defined: its body refers to parameter i as the marker 15 followed
// by the decimal digits of i.
struct UserFunction {
    std::u16string name;
    std::u16string body;
    std::vector<std::u16string> parameterNames;
    int parameterCount() const { return static_cast<int>(parameterNames.size()); }
};

// User functions are numbered after the built-in ones.
class UserFunctionTable {
  public:
    static constexpr int kFirstNumber = kBuiltInFunctionCount + 1;

    bool contains(int number) const {
        return number >= kFirstNumber && number - kFirstNumber < static_cast<int>(m_records.size());
    }
    UserFunction& operator[](int number) {
        return m_records[static_cast<std::size_t>(number - kFirstNumber)];
    }
    const UserFunction& operator[](int number) const {
        return m_records[static_cast<std::size_t>(number - kFirstNumber)];
    }
    int add(UserFunction function) {
        m_records.push_back(std::move(function));
        return kFirstNumber + static_cast<int>(m_records.size()) - 1;
    }
    int size() const { return static_cast<int>(m_records.size()); }

  private:
    std::vector<UserFunction> m_records;
};

}  // namespace tally
