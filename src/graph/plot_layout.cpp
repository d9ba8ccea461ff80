#include "graph/plot_layout.h"

#include <algorithm>

namespace tally {

PlotLayout PlotLayout::of(double bodyWidth, double bodyHeight, double labelWidth,
                          double labelHeight) {
    double left = kMargin + labelWidth + kLabelGap;
    double top = kMargin;
    return around({left, top, std::max(1.0, bodyWidth - left - kMargin),
                   std::max(1.0, bodyHeight - top - labelHeight - kMargin)});
}

PlotLayout PlotLayout::around(const PlotRect& area) {
    PlotLayout layout;
    layout.area = area;
    double inset = std::min(kInset, std::min(layout.area.width, layout.area.height) / 4);
    layout.ranges = {layout.area.left + inset, layout.area.top + inset,
                     layout.area.width - 2 * inset, layout.area.height - 2 * inset};
    return layout;
}

}  // namespace tally
