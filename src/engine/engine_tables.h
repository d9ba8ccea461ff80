#pragma once

#include "engine/random_generator.h"
#include "engine/symbol_table.h"
#include "engine/unit_table.h"

namespace tally {

// The engine's long-lived state: every name, every unit and the random sequence. Lines
// come and go; these stay for the whole run.
struct EngineTables {
    SymbolTable symbols;
    UnitTable units;
    RandomGenerator random;
};

}  // namespace tally
