#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <array>
#include <vector>

#include "appearance/stored_colour.h"

namespace tally {

// The RGB cube of the colour picker: 5 × 5 × 5 cells, each channel running over
// base + k × step for k = 0 .. 4. Level 0 spans the whole range with step 64; every zoom
// centres a finer cube (steps 16, 4 and 1) on the chosen colour. Channel values outside
// 0 .. 256 have no colour and their cells are hidden; 256 is shown as 255.
class ColourCube {
  public:
    static constexpr int kCellsPerEdge = 5;
    static constexpr int kCellCount = kCellsPerEdge * kCellsPerEdge * kCellsPerEdge;
    static constexpr int kDeepestLevel = 3;
    static constexpr std::array<int, kDeepestLevel + 1> kSteps = {64, 16, 4, 1};

    struct Cell {
        int red = 0;  // channel values as shown, 0 .. 255
        int green = 0;
        int blue = 0;
        bool valid = false;
        StoredColour colour = 0;
    };

    int level() const { return m_level; }
    int step() const { return kSteps[static_cast<std::size_t>(m_level)]; }

    // Cell i has the channel steps (i % 5, i / 5 % 5, i / 25) for red, green and blue.
    Cell cell(int index) const;
    static std::array<int, 3> stepsOf(int index);

    // Centres the next finer cube on the colour of a shown cell; false at the finest level
    // or for a hidden cell.
    bool zoomInto(int index);
    // Back to the previous level; false at level 0.
    bool zoomOut();

  private:
    int channelValue(int channel, int k) const;

    int m_level = 0;
    std::array<std::array<int, 3>, kDeepestLevel + 1> m_bases{};
};

// The cube as drawn: cells projected in perspective after turning the cube by `yaw` about
// the vertical axis and `pitch` about the horizontal one (radians), inside `area`.
struct DrawnCell {
    int index;
    QPolygonF outline;
    double depth;  // larger is farther from the viewer
};
// The shown cells, farthest first: the order they are painted in.
std::vector<DrawnCell> drawCube(const ColourCube& cube, double yaw, double pitch,
                                const QRectF& area);
// The cell whose painted outline holds `point`, the nearest one where they overlap; -1 for
// none.
int cellAt(const std::vector<DrawnCell>& drawn, const QPointF& point);

}  // namespace tally
