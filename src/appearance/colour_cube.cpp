#include "appearance/colour_cube.h"

#include <algorithm>
#include <cmath>

namespace tally {

namespace {

constexpr int kTopValue = 256;  // the top of the range at level 0, shown as 255

// The viewer's distance from the cube's centre, in half edges; nearer is more perspective.
constexpr double kViewerDistance = 6.0;
// Half the side of a painted cell, in half edges at the centre's depth: cells stay apart so
// that the inner ones show between them.
constexpr double kCellHalfSide = 0.16;

}  // namespace

std::array<int, 3> ColourCube::stepsOf(int index) {
    return {index % kCellsPerEdge, index / kCellsPerEdge % kCellsPerEdge,
            index / (kCellsPerEdge * kCellsPerEdge)};
}

int ColourCube::channelValue(int channel, int k) const {
    return m_bases[static_cast<std::size_t>(m_level)][static_cast<std::size_t>(channel)] +
           k * step();
}

ColourCube::Cell ColourCube::cell(int index) const {
    std::array<int, 3> steps = stepsOf(index);
    std::array<int, 3> values{};
    bool valid = true;
    for (int channel = 0; channel < 3; ++channel) {
        int value = channelValue(channel, steps[static_cast<std::size_t>(channel)]);
        if (value < 0 || value > kTopValue) valid = false;
        values[static_cast<std::size_t>(channel)] = std::clamp(value, 0, 255);
    }
    Cell cell;
    cell.valid = valid;
    if (!valid) return cell;
    cell.red = values[0];
    cell.green = values[1];
    cell.blue = values[2];
    cell.colour = storedRgb(cell.red, cell.green, cell.blue);
    return cell;
}

bool ColourCube::zoomInto(int index) {
    if (m_level >= kDeepestLevel || index < 0 || index >= kCellCount) return false;
    Cell chosen = cell(index);
    if (!chosen.valid) return false;
    ++m_level;
    // 255 is where the top of the range was shown; the finer cube centres on the top itself.
    auto centre = [](int shown) { return shown == 255 ? kTopValue : shown; };
    std::array<int, 3>& bases = m_bases[static_cast<std::size_t>(m_level)];
    bases = {centre(chosen.red) - 2 * step(), centre(chosen.green) - 2 * step(),
             centre(chosen.blue) - 2 * step()};
    return true;
}

bool ColourCube::zoomOut() {
    if (m_level == 0) return false;
    --m_level;
    return true;
}

std::vector<DrawnCell> drawCube(const ColourCube& cube, double yaw, double pitch,
                                const QRectF& area) {
    const double cosYaw = std::cos(yaw);
    const double sinYaw = std::sin(yaw);
    const double cosPitch = std::cos(pitch);
    const double sinPitch = std::sin(pitch);
    // A corner of the turned cube lies √3 half edges from the centre, at any angle to the
    // viewer; the farthest its projection reaches from the centre is √3·d / √(d² − 3) for the
    // viewer's distance d. The scale keeps that inside the area.
    const double largest =
        std::sqrt(3.0) * kViewerDistance / std::sqrt(kViewerDistance * kViewerDistance - 3.0);
    const double scale = std::min(area.width(), area.height()) / 2 / (largest + kCellHalfSide);
    const QPointF centre = area.center();

    std::vector<DrawnCell> drawn;
    drawn.reserve(ColourCube::kCellCount);
    for (int index = 0; index < ColourCube::kCellCount; ++index) {
        if (!cube.cell(index).valid) continue;
        std::array<int, 3> steps = ColourCube::stepsOf(index);
        // Red runs to the right, green upwards and blue away from the viewer.
        double x = (steps[0] - 2) / 2.0;
        double y = (steps[1] - 2) / 2.0;
        double z = (steps[2] - 2) / 2.0;
        double turnedX = x * cosYaw + z * sinYaw;
        double turnedZ = -x * sinYaw + z * cosYaw;
        double turnedY = y * cosPitch - turnedZ * sinPitch;
        double depth = y * sinPitch + turnedZ * cosPitch;
        double perspective = kViewerDistance / (kViewerDistance + depth);
        QPointF at(centre.x() + turnedX * perspective * scale,
                   centre.y() - turnedY * perspective * scale);
        double half = kCellHalfSide * perspective * scale;
        QPolygonF outline(QRectF(at.x() - half, at.y() - half, 2 * half, 2 * half));
        drawn.push_back({index, outline, depth});
    }
    std::stable_sort(drawn.begin(), drawn.end(),
                     [](const DrawnCell& a, const DrawnCell& b) { return a.depth > b.depth; });
    return drawn;
}

int cellAt(const std::vector<DrawnCell>& drawn, const QPointF& point) {
    // The last painted cell lies on top.
    for (auto cell = drawn.rbegin(); cell != drawn.rend(); ++cell) {
        if (cell->outline.containsPoint(point, Qt::OddEvenFill)) return cell->index;
    }
    return -1;
}

}  // namespace tally
