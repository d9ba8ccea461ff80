#pragma once

#include "engine/interfaces.h"

namespace tally {

// How the trigonometric functions read and give angles.
enum class AngleMode { Radians, Degrees };

// The settings calculations depend on, and the outside world they report to.
struct EngineSettings {
    bool useDimensions = true;
    AngleMode angleMode = AngleMode::Radians;
    EventPump* eventPump = nullptr;
    ProgressSink* progress = nullptr;
    PlotSink* plot = nullptr;
};

}  // namespace tally
