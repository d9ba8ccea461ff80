#include "engine/symbol_table.h"

#include "engine/constants.h"
#include "engine/function_table.h"

namespace tally {

SymbolTable::SymbolTable() {
    for (const FunctionSpec& spec : functionTable()) {
        EntryRef ref = add(spec.name, 0, code::builtInFunction(spec.function));
        if (spec.function == Function::Abs) m_abs = ref;
    }
    m_ans = add(u"Ans", 0, code::kAns);
    add(u"pi", kPi, code::kPi);
    add(u"e", kE, code::kE);
    add(std::u16string(1, kBoundMarker), 0, code::kVariable);
}

EntryRef SymbolTable::parameter(int i) {
    auto index = static_cast<std::size_t>(i);
    if (index < m_parameters.size() && m_parameters[index].valid()) return m_parameters[index];
    std::u16string hidden = parameterName(i);
    EntryRef entry = find(hidden);
    if (!entry.valid()) entry = add(hidden, 0, code::kVariable);
    if (m_parameters.size() <= index) m_parameters.resize(index + 1);
    m_parameters[index] = entry;
    return entry;
}

EntryRef SymbolTable::boundVariable(std::u16string_view name) {
    std::u16string hidden = boundName(name);
    EntryRef entry = find(hidden);
    if (!entry.valid()) entry = add(hidden, 0, code::kVariable);
    return entry;
}

EntryRef SymbolTable::assignVariable(std::u16string_view name, double value) {
    EntryRef entry = find(name);
    if (!entry.valid()) entry = add(name, 0, code::kVariable);
    if (m_variables[entry].code != code::kVariable) return {};
    m_variables[entry].value = value;
    return entry;
}

bool SymbolTable::defineUserFunction(std::u16string_view name,
                                     std::vector<std::u16string> parameters, std::u16string body) {
    EntryRef entry = find(name);
    if (!entry.valid()) entry = add(name, 0, code::kVariable);
    VariableEntry& e = m_variables[entry];
    UserFunction function{std::u16string(name), std::move(body), std::move(parameters)};
    if (code::isUserFunction(e.code) && m_functions.contains(code::userFunctionNumber(e.code))) {
        m_functions[code::userFunctionNumber(e.code)] = std::move(function);
        return true;
    }
    if (e.code != code::kVariable) return false;
    e.code = code::userFunction(m_functions.add(std::move(function)));
    return true;
}

const UserFunction* SymbolTable::findUserFunction(std::u16string_view name) const {
    EntryRef entry = find(name);
    if (!entry.valid()) return nullptr;
    std::int32_t kind = m_variables[entry].code;
    if (!code::isUserFunction(kind) || !m_functions.contains(code::userFunctionNumber(kind))) {
        return nullptr;
    }
    return &m_functions[code::userFunctionNumber(kind)];
}

bool SymbolTable::removeUserFunction(std::u16string_view name) {
    EntryRef entry = find(name);
    if (!entry.valid() || !code::isUserFunction(m_variables[entry].code)) return false;
    m_variables[entry].code = code::kVariable;
    m_variables[entry].value = 0;
    return true;
}

bool SymbolTable::freeVariable(std::u16string_view name) {
    EntryRef entry = find(name);
    if (!entry.valid()) return false;
    VariableEntry& e = m_variables[entry];
    // The names an assignment may store into: variables and function names.
    bool assignable = e.code == code::kVariable || code::isUserFunction(e.code) ||
                      code::isBuiltInFunction(e.code);
    if (!assignable) return false;
    e.value = 0;
    return true;
}

}  // namespace tally
