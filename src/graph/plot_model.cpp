#include "graph/plot_model.h"

#include <algorithm>
#include <cmath>

#include "graph/plot_label.h"

namespace tally {

namespace {

// Drawing is kept within this box around the plot area (in fractions of its size): far
// outside values would otherwise reach painters as coordinates they cannot handle. Whatever
// lies between the box and the plot area is cut off when painted.
constexpr double kGuardLow = -1;
constexpr double kGuardHigh = 2;

bool finite(PlotPosition at) {
    return std::isfinite(at.x) && std::isfinite(at.y);
}

bool insideGuard(PlotPosition at) {
    return at.x >= kGuardLow && at.x <= kGuardHigh && at.y >= kGuardLow && at.y <= kGuardHigh;
}

// Cuts the segment to the guard box (Liang-Barsky); false when nothing of it is inside.
bool clipToGuard(PlotPosition& from, PlotPosition& to) {
    double enter = 0, leave = 1;
    double dx = to.x - from.x, dy = to.y - from.y;
    auto edge = [&](double direction, double distance) {
        // distance: how far inside the edge `from` lies; direction: how fast it leaves.
        if (direction == 0) return distance >= 0;
        double t = distance / direction;
        if (direction < 0) {
            if (t > leave) return false;
            enter = std::max(enter, t);
        } else {
            if (t < enter) return false;
            leave = std::min(leave, t);
        }
        return true;
    };
    if (!edge(-dx, from.x - kGuardLow) || !edge(dx, kGuardHigh - from.x) ||
        !edge(-dy, from.y - kGuardLow) || !edge(dy, kGuardHigh - from.y)) {
        return false;
    }
    PlotPosition start = from;
    if (leave < 1) to = {start.x + leave * dx, start.y + leave * dy};
    if (enter > 0) from = {start.x + enter * dx, start.y + enter * dy};
    return true;
}

// 1 / width, or 0 when the range cannot be drawn.
double scaleOf(double low, double high) {
    double width = high - low;
    if (!std::isfinite(width) || width <= 0) return 0;
    double scale = 1 / width;
    return std::isfinite(scale) ? scale : 0;
}

}  // namespace

void PlotModel::open(std::u16string_view title) {
    if (rangesFixed()) return;
    m_title.clear();
    for (char16_t c : title) {
        if (c != u'\x0F') m_title.push_back(c);
    }
}

void PlotModel::limits(double xMin, double xMax, double yMin, double yMax) {
    if (rangesFixed()) return;
    double scaleX = scaleOf(xMin, xMax), scaleY = scaleOf(yMin, yMax);
    if (scaleX == 0 || scaleY == 0) return;
    m_xMin = xMin, m_xMax = xMax, m_yMin = yMin, m_yMax = yMax;
    m_scaleX = scaleX, m_scaleY = scaleY;
    m_previous = {0, 0};
}

void PlotModel::plotValue(double x, double y, bool connect) {
    if (!rangesFixed()) return;
    PlotPosition at{(x - m_xMin) * m_scaleX, 1 - (y - m_yMin) * m_scaleY};
    if (m_yMin <= y && y <= m_yMax) {
        if (connect) {
            addSegment(m_previous, at);
        } else {
            addPoint(at);
        }
    }
    m_previous = at;
}

void PlotModel::yPlot(double x, double y) {
    if (rangesFixed()) {
        plotValue(x, y, false);
        return;
    }
    // A value that is not a number has no place on any range.
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    m_collected.push_back({x, y});
    m_xMin = std::min(m_xMin, x), m_xMax = std::max(m_xMax, x);
    m_yMin = std::min(m_yMin, y), m_yMax = std::max(m_yMax, y);
    m_plotBuffered = true;
}

void PlotModel::bufPlot() {
    if (!m_plotBuffered) return;
    m_plotBuffered = false;
    std::vector<Collected> collected;
    collected.swap(m_collected);
    if (rangesFixed()) return;
    // One y gives no vertical scale: the points are dropped, and so are the ranges they
    // spanned, so that the next running plot starts afresh.
    if (m_yMin == m_yMax) {
        freeRanges();
        return;
    }
    double xMin = m_xMin, xMax = m_xMax;
    if (xMin == xMax) {
        xMax = xMin == 0 ? 1.0 : xMax * 1.1;
        // Below zero the widened end lies to the left.
        if (xMax < xMin) std::swap(xMin, xMax);
    }
    limits(xMin, xMax, m_yMin, m_yMax);
    for (const Collected& point : collected)
        plotValue(point.x, point.y, false);
}

void PlotModel::reset() {
    freeRanges();
    m_previous = {};
    m_collected.clear();
    m_plotBuffered = false;
    m_title.clear();
    m_points.clear();
    m_vertices.clear();
    m_polylineStarts.clear();
}

void PlotModel::freeRanges() {
    m_xMin = kFreeRange, m_xMax = -kFreeRange;
    m_yMin = kFreeRange, m_yMax = -kFreeRange;
    m_scaleX = m_scaleY = 0;
}

void PlotModel::addPoint(PlotPosition at) {
    if (finite(at) && insideGuard(at)) m_points.push_back(at);
}

void PlotModel::addSegment(PlotPosition from, PlotPosition to) {
    if (!finite(from) || !finite(to) || !clipToGuard(from, to)) return;
    // A segment that starts where the last one ended continues its polyline.
    if (m_vertices.empty() || !(m_vertices.back() == from)) {
        // A curve's first point is sent as a point; its polyline now draws it.
        if (!m_points.empty() && m_points.back() == from) m_points.pop_back();
        m_polylineStarts.push_back(m_vertices.size());
        m_vertices.push_back(from);
    }
    m_vertices.push_back(to);
}

std::optional<double> PlotModel::verticalAxis() const {
    if (!rangesFixed() || !(m_xMin < 0 && 0 < m_xMax)) return std::nullopt;
    return -m_scaleX * m_xMin;
}

std::optional<double> PlotModel::horizontalAxis() const {
    if (!rangesFixed() || !(m_yMin < 0 && 0 < m_yMax)) return std::nullopt;
    return 1 + m_scaleY * m_yMin;
}

PlotLabels PlotModel::labels() const {
    if (!rangesFixed()) return {};
    // A range end within a millionth of a millionth of the range from 0 is 0.
    constexpr double kNegligible = 1e-12;
    double width = kNegligible * (m_xMax - m_xMin), height = kNegligible * (m_yMax - m_yMin);
    return {formatPlotValue(m_xMin, width), formatPlotValue(m_xMax, width),
            formatPlotValue(m_yMin, height), formatPlotValue(m_yMax, height)};
}

}  // namespace tally
