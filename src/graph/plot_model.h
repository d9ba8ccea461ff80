#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/interfaces.h"

namespace tally {

// A place in the plot area as a fraction of its size: (0, 0) is the top-left corner, (1, 1)
// the bottom-right; y grows downwards. Keeping the drawing in fractions lets any window size
// show it exactly.
struct PlotPosition {
    double x = 0;
    double y = 0;
    bool operator==(const PlotPosition&) const = default;
};

// The four range labels at the corners of the plot area.
struct PlotLabels {
    std::string xMin, xMax, yMin, yMax;
};

// What the plot window shows, kept as data: the ranges of the first plot, the points and
// connected segments sent to it, and the points of a running plot collected while its
// ranges are not known yet. Painting it is left to whoever shows it (the window, the SVG
// writer).
class PlotModel : public PlotSink {
  public:
    // A window without a plot has its ranges at these extremes, so that the first collected
    // point narrows them to itself.
    static constexpr double kFreeRange = 1.79769313486231e308;

    // Takes the plot's title (code-15 markers removed) while the window holds no plot yet;
    // once the ranges are fixed the title of the plot that fixed them stays.
    void open(std::u16string_view title) override;
    // Fixes the ranges while they are free. Ranges that cannot be drawn (empty, reversed or
    // not finite) fix nothing, so that a later plot still can.
    void limits(double xMin, double xMax, double yMin, double yMax) override;
    // A point, or a segment from the previous point sent. Only values within the vertical
    // range are drawn, but every value becomes the previous point. Ignored while the ranges
    // are free.
    void plotValue(double x, double y, bool connect) override;
    // With fixed ranges a point; otherwise the point is collected and widens the ranges.
    void yPlot(double x, double y) override;
    // Draws the collected points as separate points with ranges that span them, unless the
    // ranges were fixed meanwhile or all the points share one y. The collection is emptied.
    void bufPlot() override;
    // The window closed: everything returns to the state of a new window.
    void reset();

    bool rangesFixed() const { return m_scaleX != 0 && m_scaleY != 0; }
    double xMin() const { return m_xMin; }
    double xMax() const { return m_xMax; }
    double yMin() const { return m_yMin; }
    double yMax() const { return m_yMax; }
    const std::u16string& title() const { return m_title; }
    // Points collected by yPlot that bufPlot has not drawn yet.
    std::size_t collectedCount() const { return m_collected.size(); }
    bool plotBuffered() const { return m_plotBuffered; }

    // Single points, in fractions of the plot area (a point that a segment continues
    // belongs to that segment's polyline instead).
    const std::vector<PlotPosition>& points() const { return m_points; }
    // Connected segments as polylines: polyline i runs through the vertices from
    // polylineStarts()[i] up to the next start (or the end).
    const std::vector<PlotPosition>& vertices() const { return m_vertices; }
    const std::vector<std::size_t>& polylineStarts() const { return m_polylineStarts; }
    // The vertical axis (x = 0) as a fraction across, when 0 lies strictly inside the
    // horizontal range; the horizontal axis as a fraction down likewise.
    std::optional<double> verticalAxis() const;
    std::optional<double> horizontalAxis() const;
    // Empty texts while the ranges are free.
    PlotLabels labels() const;
    // The values at a place of the plot area (fixed ranges only).
    double xAt(double fraction) const { return m_xMin + fraction * (m_xMax - m_xMin); }
    double yAt(double fraction) const { return m_yMax - fraction * (m_yMax - m_yMin); }

  private:
    struct Collected {
        double x, y;
    };
    void freeRanges();
    void addPoint(PlotPosition at);
    void addSegment(PlotPosition from, PlotPosition to);

    double m_xMin = kFreeRange, m_xMax = -kFreeRange;
    double m_yMin = kFreeRange, m_yMax = -kFreeRange;
    // Plot-area widths per unit of x and heights per unit of y; 0 while the ranges are free.
    double m_scaleX = 0, m_scaleY = 0;
    PlotPosition m_previous;
    std::vector<Collected> m_collected;
    bool m_plotBuffered = false;
    std::u16string m_title;
    std::vector<PlotPosition> m_points;
    std::vector<PlotPosition> m_vertices;
    std::vector<std::size_t> m_polylineStarts;
};

}  // namespace tally
