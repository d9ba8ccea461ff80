#pragma once

#include <QPointer>

#include "engine/interfaces.h"
#include "graph/plot_look.h"
#include "graph/plot_window.h"

namespace tally {

// Gives the plotting functions their window: one plot window at a time, created on the
// first plot and kept until the user closes it; a later plot then opens a new one with
// fresh ranges. A plot shows the window again when it was hidden or minimised.
class PlotWindowSink : public PlotSink {
  public:
    // `owner`: the main window, which the plot window stays with.
    explicit PlotWindowSink(QWidget* owner);
    ~PlotWindowSink() override;
    PlotWindowSink(const PlotWindowSink&) = delete;
    PlotWindowSink& operator=(const PlotWindowSink&) = delete;

    void open(std::u16string_view title) override;
    void limits(double xMin, double xMax, double yMin, double yMax) override;
    void plotValue(double x, double y, bool connect) override;
    void yPlot(double x, double y) override;
    void bufPlot() override;

    // For the window that is open and the ones to come.
    void setLook(const PlotLook& look);
    void setAlwaysOnTop(bool onTop);
    // Dressed with the skin, or (no dress) the standard window.
    void setDress(const std::optional<PlotDress>& dress);

    // The open plot window, or null.
    PlotWindow* window() const { return m_window; }
    // Whether the plot window is open and neither hidden nor minimised.
    bool shown() const;

  private:
    QWidget* m_owner;
    QPointer<PlotWindow> m_window;
    PlotLook m_look;
    std::optional<PlotDress> m_dress;
    bool m_onTop = false;
};

}  // namespace tally
