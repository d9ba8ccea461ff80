#include "graph/svg_plot_writer.h"

#include <charconv>
#include <cstdio>

#include "graph/plot_painting.h"
#include "lang/code_page.h"

namespace tally {

namespace {

std::string number(double value) {
    char buffer[32];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (error != std::errc()) return "0";
    std::string text(buffer, end);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string colour(std::uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
    return buffer;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters are not allowed in XML text.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out.push_back(c);
        }
    }
    return out;
}

// Writes SVG elements. Without font metrics, text widths are estimated from the font size;
// right-aligned labels are anchored at their end, so only the room left of the plot area
// depends on the estimate.
class SvgPainter : public PlotPainter {
  public:
    SvgPainter(std::string& out, double fontPixels) : m_out(out), m_fontPixels(fontPixels) {}

    double textWidth(const std::string& text) override {
        return 0.6 * m_fontPixels * static_cast<double>(text.size());
    }
    double textHeight() override { return 1.25 * m_fontPixels; }
    void fill(const PlotRect& rect, std::uint32_t rgb) override {
        m_out += "<rect" + box(rect) + " fill=\"" + colour(rgb) + "\"/>\n";
    }
    void clipTo(const PlotRect& rect) override {
        m_out += "<defs><clipPath id=\"plot-area\"><rect" + box(rect) + "/></clipPath></defs>\n";
        m_out += "<g clip-path=\"url(#plot-area)\">\n";
    }
    void clearClip() override { m_out += "</g>\n"; }
    void line(double x1, double y1, double x2, double y2, std::uint32_t rgb) override {
        m_out += "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) +
                 "\" y2=\"" + number(y2) + "\" stroke=\"" + colour(rgb) + "\"/>\n";
    }
    void polylines(const std::vector<PlotPosition>& vertices,
                   const std::vector<std::size_t>& starts, const PlotLayout& layout,
                   std::uint32_t rgb, double width) override {
        if (starts.empty()) return;
        m_out += "<g fill=\"none\" stroke=\"" + colour(rgb) + "\" stroke-width=\"" + number(width) +
                 "\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
        for (std::size_t i = 0; i < starts.size(); ++i) {
            std::size_t end = i + 1 < starts.size() ? starts[i + 1] : vertices.size();
            m_out += "<polyline points=\"";
            for (std::size_t v = starts[i]; v < end; ++v) {
                if (v > starts[i]) m_out += ' ';
                m_out += number(layout.xOf(vertices[v])) + "," + number(layout.yOf(vertices[v]));
            }
            m_out += "\"/>\n";
        }
        m_out += "</g>\n";
    }
    void dots(const std::vector<PlotPosition>& points, const PlotLayout& layout, std::uint32_t rgb,
              double diameter) override {
        if (points.empty()) return;
        m_out += "<g fill=\"" + colour(rgb) + "\">\n";
        for (const PlotPosition& point : points) {
            m_out += "<circle cx=\"" + number(layout.xOf(point)) + "\" cy=\"" +
                     number(layout.yOf(point)) + "\" r=\"" + number(diameter / 2) + "\"/>\n";
        }
        m_out += "</g>\n";
    }
    void text(double left, double top, const std::string& text, std::uint32_t rgb) override {
        // The baseline lies the font's ascent, about nine tenths of its size, below the top.
        m_out += "<text x=\"" + number(left) + "\" y=\"" + number(top + 0.9 * m_fontPixels) +
                 "\" fill=\"" + colour(rgb) + "\">" + escaped(text) + "</text>\n";
    }

  private:
    static std::string box(const PlotRect& rect) {
        return " x=\"" + number(rect.left) + "\" y=\"" + number(rect.top) + "\" width=\"" +
               number(rect.width) + "\" height=\"" + number(rect.height) + "\"";
    }

    std::string& m_out;
    double m_fontPixels;
};

}  // namespace

std::string plotSvg(const PlotModel& model, const PlotLook& look, double width, double height) {
    // Points to pixels at 96 pixels per inch.
    double fontPixels = look.labelFontPoints * 96 / 72;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + number(width) +
           "\" height=\"" + number(height) + "\" viewBox=\"0 0 " + number(width) + " " +
           number(height) + "\" font-family=\"" + escaped(look.labelFontFamily) +
           ", sans-serif\" font-size=\"" + number(fontPixels) + "px\"" +
           (look.labelFontBold ? " font-weight=\"bold\"" : "") + ">\n";
    out += "<title>" + escaped(toUtf8(model.title())) + "</title>\n";
    SvgPainter painter(out, fontPixels);
    paintPlot(model, look, width, height, painter);
    out += "</svg>\n";
    return out;
}

}  // namespace tally
