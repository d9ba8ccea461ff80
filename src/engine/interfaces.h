#pragma once

#include <string_view>

namespace tally {

// Lets the user interface run while a calculation goes on, and asks whether the user
// cancelled it. The window throttles how often it really processes events.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
    virtual bool cancelRequested() { return false; }
};

// Shows how many expression evaluations a long solver run has made.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void showEvaluationCount(int count) = 0;
};

}  // namespace tally

namespace tally {

// Where the plotting functions send their curves; shaped after the plot window's own
// operations. The window keeps the ranges of its first curve until it is closed.
class PlotSink {
  public:
    virtual ~PlotSink() = default;
    // Creates the window (or shows it again) with the plot's title.
    virtual void open(std::u16string_view title) = 0;
    // Fixes the ranges unless the window already has some.
    virtual void limits(double xMin, double xMax, double yMin, double yMax) = 0;
    // One point, or a segment from the previous point when `connect` is set.
    virtual void plotValue(double x, double y, bool connect) = 0;
    // A point of a running plot whose ranges may not be known yet (collected if so).
    virtual void yPlot(double x, double y) = 0;
    // The calculation of a line ended: collected points are drawn.
    virtual void bufPlot() = 0;
};

}  // namespace tally
