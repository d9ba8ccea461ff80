#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_settings.h"
#include "engine/engine_tables.h"
#include "engine/line_evaluator.h"
#include "engine/line_result.h"

namespace tally {

// A unit as registered: its record number and its value (1 unless its definition is a
// plain number).
struct RegisteredUnit {
    int record = 0;
    double value = 1;
};

// A unit whose texts outlive the engine (static storage), as defineUnit would register it.
struct StaticUnit {
    std::u16string_view markedName;  // unitName(name)
    std::uint32_t nameHash = 0;      // VariableTable::hashOf(markedName)
    std::u16string_view definition;
    double value = 1;  // 1 unless the definition is a plain number
};

// The evaluation engine: the context object that owns every table and evaluates lines and
// stored expressions against them. Failures never throw; they come back in the results.
class Engine {
  public:
    Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    const EngineSettings& settings() const { return m_settings; }
    void setUseDimensions(bool on) { m_settings.useDimensions = on; }
    void setAngleMode(AngleMode mode) { m_settings.angleMode = mode; }
    void setEventPump(EventPump* pump) { m_settings.eventPump = pump; }
    void setProgressSink(ProgressSink* progress) { m_settings.progress = progress; }
    void setPlotSink(PlotSink* plot) { m_settings.plot = plot; }

    // Reads and evaluates one calculation line (blanks already removed).
    LineResult evaluateLine(std::u16string_view line);
    // The same into a result the caller keeps, whose texts keep their room from line to line.
    void evaluateLine(std::u16string_view line, LineResult& result);
    // Evaluates a stored expression: an added calculation, a saved variable's value.
    ExpressionResult evaluateExpression(std::u16string_view text);
    // True while a line is being evaluated: nothing else may be evaluated meanwhile.
    bool calculating() const { return m_evaluator.calculating(); }

    const SymbolTable& symbols() const { return m_tables.symbols; }
    const UnitTable& units() const { return m_tables.units; }
    double ans() const { return m_tables.symbols.ans(); }
    void setAns(double value) { m_tables.symbols.setAns(value); }
    // Stores a value in a variable, making it when it is new; the variable's entry, invalid
    // when the name stands for something else.
    EntryRef assignVariable(std::u16string_view name, double value);
    // Defines or replaces a user function; false when the name cannot become one.
    bool defineUserFunction(std::u16string_view name, std::vector<std::u16string> parameters,
                            std::u16string body);
    // Removes the user's function of that name: calling it is then an unknown function.
    bool removeUserFunction(std::u16string_view name) {
        return m_tables.symbols.removeUserFunction(name);
    }
    // Sets the user's variable back to 0, as if it had never been assigned.
    bool freeVariable(std::u16string_view name) { return m_tables.symbols.freeVariable(name); }

    // The unit registered under that name (exact case), if any.
    std::optional<RegisteredUnit> findUnit(std::u16string_view name) const;
    // Registers a unit name with its definition text, as a new record or replacing the
    // record the name has. A definition that is a plain number is also the unit's value.
    void defineUnit(std::u16string_view name, std::u16string_view definition);
    // Makes room for `count` more units, registered at once.
    void reserveUnits(std::size_t count);
    // Registers a unit of a name not registered yet as defineUnit does, its texts kept
    // without a copy.
    void defineStaticUnit(const StaticUnit& unit);

  private:
    EngineTables m_tables;
    EngineSettings m_settings;
    LineEvaluator m_evaluator{m_tables, m_settings};
};

}  // namespace tally
