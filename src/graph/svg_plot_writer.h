#pragma once

#include <string>

#include "graph/plot_look.h"
#include "graph/plot_model.h"

namespace tally {

// The plot as an SVG document of the given size in pixels: the window body with the plot
// area, axes, curves as polylines, points as dots and the range labels; the title becomes
// the document's title.
std::string plotSvg(const PlotModel& model, const PlotLook& look, double width, double height);

}  // namespace tally
