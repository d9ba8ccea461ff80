#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/user_function_table.h"
#include "engine/variable_table.h"

namespace tally {

// Every name of the program in the one variable table: the built-in functions under their
// negated numbers, the reserved names Ans, pi and e, the user's variables and functions,
// units (marker 14 + name) and the hidden names of parameters and bound variables (marker
// 15 + number or name). Entries are never removed.
class SymbolTable {
  public:
    SymbolTable();

    // Outside unit brackets names are matched without regard to case.
    EntryRef find(std::u16string_view name) const {
        return m_variables.find(name, VariableTable::Match::IgnoreCase);
    }
    EntryRef findExact(std::u16string_view name) const {
        return m_variables.find(name, VariableTable::Match::Exact);
    }
    EntryRef add(std::u16string_view name, double value, std::int32_t code) {
        return m_variables.append(name, value, code);
    }
    // A name in static storage, kept without a copy, with its VariableTable::hashOf.
    EntryRef addStatic(std::u16string_view name, std::uint32_t hash, double value,
                       std::int32_t code) {
        return m_variables.appendStatic(name, hash, value, code);
    }
    void reserve(std::size_t count) { m_variables.reserve(count); }
    VariableEntry& operator[](EntryRef ref) { return m_variables[ref]; }
    const VariableEntry& operator[](EntryRef ref) const { return m_variables[ref]; }

    double ans() const { return m_variables[m_ans].value; }
    void setAns(double value) { m_variables[m_ans].value = value; }
    EntryRef absEntry() const { return m_abs; }

    // The hidden variable of parameter i of a user-function body, made on first use.
    EntryRef parameter(int i);
    // The hidden twin of a solver's bound variable, made on first use.
    EntryRef boundVariable(std::u16string_view name);

    // Stores a value under a variable's name, making the variable when it is new. Invalid
    // when the name stands for something else (a function, a reserved name).
    EntryRef assignVariable(std::u16string_view name, double value);

    UserFunctionTable& userFunctions() { return m_functions; }
    const UserFunctionTable& userFunctions() const { return m_functions; }
    // Defines or replaces a user function under `name`; false when the name denotes
    // something that cannot become a user function (a built-in, a reserved name, a unit).
    bool defineUserFunction(std::u16string_view name, std::vector<std::u16string> parameters,
                            std::u16string body);
    // The user function of that name (any letter case), or null.
    const UserFunction* findUserFunction(std::u16string_view name) const;
    // The name stops standing for a user function and becomes a fresh variable; its record
    // stays, unreachable, so that the numbers of the others do not change. False when the
    // name is no user function.
    bool removeUserFunction(std::u16string_view name);
    // A variable (or a value stored under a function's name) goes back to 0, the value of a
    // name never assigned. False when the name holds no value the user can free.
    bool freeVariable(std::u16string_view name);

    int size() const { return m_variables.size(); }

  private:
    VariableTable m_variables;
    UserFunctionTable m_functions;
    EntryRef m_ans;
    EntryRef m_abs;
    std::vector<EntryRef> m_parameters;
};

}  // namespace tally
