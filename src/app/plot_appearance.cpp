#include "app/plot_appearance.h"

namespace tally {

namespace {

std::uint32_t rgbOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.rgb()) & 0xFFFFFFu;
}

}  // namespace

PlotLook plotLookOf(const Appearance& appearance) {
    const TextClassLook& area = appearance.at(0);
    const TextClassLook& window = appearance.at(4);
    const TextClassLook& curves = appearance.at(8);
    PlotLook look;
    look.windowBackground = rgbOf(window.background);
    look.labelColour = rgbOf(window.colour);
    look.labelFontFamily = window.fontName.toStdString();
    look.labelFontPoints = window.size;
    look.labelFontBold = window.bold;
    look.areaBackground = rgbOf(area.background);
    look.axisColour = rgbOf(area.colour);
    look.curveColour = rgbOf(curves.colour);
    return look;
}

}  // namespace tally
