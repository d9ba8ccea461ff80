#pragma once

namespace tally {

class BatchCalculator;

// The prompt mode for a terminal: line editing and history; each line is calculated and
// the lines it produced are echoed. Returns the exit status.
int runInteractive(BatchCalculator& calculator);

}  // namespace tally
