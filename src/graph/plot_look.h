#pragma once

#include <cstdint>
#include <string>

namespace tally {

// The colours and the font the plot is drawn with; colours as 0xRRGGBB. The defaults are
// those of the standard window look: the plot area in the editor's base colours, the
// window and its labels in the menu look, the curves in the function colour.
struct PlotLook {
    std::uint32_t windowBackground = 0xC0C0C0;
    std::uint32_t labelColour = 0x000000;
    std::string labelFontFamily = "MS Sans Serif";
    double labelFontPoints = 8;
    bool labelFontBold = false;
    std::uint32_t areaBackground = 0xFFFFF0;
    std::uint32_t axisColour = 0x000080;
    std::uint32_t curveColour = 0x804000;
    // In pixels.
    double curveWidth = 1;
    double pointDiameter = 3;
};

}  // namespace tally
