#pragma once

namespace tally {

// The name under which the calculator keeps its settings in the per-user store. The removal
// program deletes the store entry of this name, so both programs take it from here and the
// two can never drift apart.
inline constexpr char kApplicationName[] = "Tally Calculator";

}  // namespace tally
