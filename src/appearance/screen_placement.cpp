#include "appearance/screen_placement.h"

#include <algorithm>

namespace tally {

QRect keepOnScreen(const QRect& frame, const QRect& available) {
    if (available.isEmpty()) return frame;
    QRect placed(frame.topLeft(), frame.size().boundedTo(available.size()));
    int left = std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1);
    int top = std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1);
    placed.moveTopLeft(QPoint(left, top));
    return placed;
}

}  // namespace tally
