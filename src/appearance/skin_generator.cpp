// Paints the skin pictures that come with the program: a wood grain (the default skin,
// Wood6.jpg), a brushed metal and a dark slate. Run by the build:
//     tally_skin_generator OUTPUT_FOLDER
// The pictures come from fixed seeds, so every build paints the same ones.
#include <QDir>
#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kJpegQuality = 90;
constexpr double kPi = 3.14159265358979323846;

// Smooth value noise: random values on a square lattice, blended with a smooth step.
class ValueNoise {
  public:
    explicit ValueNoise(std::uint32_t seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (double& value : m_values)
            value = unit(random);
        for (std::size_t i = 0; i < m_order.size(); ++i)
            m_order[i] = static_cast<std::uint8_t>(i);
        std::shuffle(m_order.begin(), m_order.end(), random);
    }

    // A value in 0 .. 1.
    double at(double x, double y) const {
        double cellX = std::floor(x);
        double cellY = std::floor(y);
        double fx = smooth(x - cellX);
        double fy = smooth(y - cellY);
        int ix = static_cast<int>(cellX);
        int iy = static_cast<int>(cellY);
        double top = mix(corner(ix, iy), corner(ix + 1, iy), fx);
        double bottom = mix(corner(ix, iy + 1), corner(ix + 1, iy + 1), fx);
        return mix(top, bottom, fy);
    }

    // Octaves of halving size and weight, for detail at every scale; also 0 .. 1.
    double fractal(double x, double y, int octaves) const {
        double sum = 0;
        double weight = 1;
        double total = 0;
        for (int octave = 0; octave < octaves; ++octave) {
            sum += weight * at(x, y);
            total += weight;
            x *= 2.03;
            y *= 2.03;
            weight *= 0.5;
        }
        return sum / total;
    }

  private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    static double mix(double a, double b, double t) { return a + (b - a) * t; }
    double corner(int x, int y) const {
        std::size_t hashed = m_order[static_cast<std::uint8_t>(x)];
        hashed = m_order[static_cast<std::uint8_t>(hashed + static_cast<std::uint8_t>(y))];
        return m_values[hashed];
    }

    std::array<double, 256> m_values{};
    std::array<std::uint8_t, 256> m_order{};
};

struct Colour {
    double red;
    double green;
    double blue;
};

Colour blend(const Colour& a, const Colour& b, double t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}

QImage paint(const std::function<Colour(int x, int y)>& pixel) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    auto channel = [](double value) { return std::clamp(static_cast<int>(value + 0.5), 0, 255); };
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            Colour c = pixel(x, y);
            line[x] = qRgb(channel(c.red), channel(c.green), channel(c.blue));
        }
    }
    return image;
}

// Flat-sawn boards: growth rings drawn out into long arches, bent by a slow noise, with
// fine fibres running along the board and a darker joint between boards.
QImage woodGrain() {
    ValueNoise bend(6);
    ValueNoise fibres(16);
    // Dark enough for the light key labels of the dressed look to stand out.
    const Colour early{172, 116, 66};
    const Colour late{100, 56, 26};
    const int boardHeight = kHeight / 3;
    return paint([&](int x, int y) {
        int board = y / boardHeight;
        int inBoard = y % boardHeight;
        // Each board is cut from a different part of the trunk.
        double centreX = -0.4 * kWidth + 370.0 * board;
        double centreY = 0.55 * boardHeight + 60.0 * board;
        double dx = (x - centreX) / 7.0;
        double dy = inBoard - centreY;
        double distance = std::hypot(dx, dy) + 28 * bend.fractal(x / 210.0, y / 70.0, 4);
        double ring = 0.5 + 0.5 * std::sin(2 * kPi * distance / 19.0);
        ring = std::pow(ring, 2.2);
        double fibre = fibres.fractal(x / 90.0, y / 1.6, 3);
        double shade = std::clamp(0.72 * ring + 0.45 * (fibre - 0.5) + 0.1, 0.0, 1.0);
        Colour colour = blend(early, late, shade);
        if (inBoard < 2 || inBoard >= boardHeight - 1) colour = blend(colour, {60, 34, 18}, 0.6);
        return colour;
    });
}

// Metal brushed from left to right: long thin streaks of light and dark with a soft sheen
// across the sheet.
QImage brushedMetal() {
    ValueNoise streaks(27);
    ValueNoise grain(41);
    return paint([&](int x, int y) {
        double streak = streaks.fractal(x / 260.0, y / 0.9, 4) - 0.5;
        double fine = grain.at(x / 3.0, y / 0.7) - 0.5;
        double sheen = 0.5 + 0.5 * std::cos(2 * kPi * (x - 0.6 * y) / (1.6 * kWidth));
        double value = 92 + 56 * sheen + 56 * streak + 12 * fine;
        return Colour{value - 3, value, value + 6};
    });
}

// Split slate: a dark blue-grey stone with cloudy patches, the thin ridges where its layers
// split, and a fine rough grain.
QImage darkSlate() {
    ValueNoise clouds(53);
    ValueNoise ridges(67);
    ValueNoise grain(79);
    return paint([&](int x, int y) {
        double cloud = clouds.fractal(x / 150.0, y / 120.0, 5) - 0.5;
        // Ridged noise: bright only where the noise crosses its middle, in thin wavy lines.
        double crossing = std::abs(2 * ridges.fractal(x / 480.0, y / 60.0, 4) - 1);
        double ridge = std::pow(std::clamp(1 - crossing * 9, 0.0, 1.0), 2);
        double rough = grain.fractal(x / 2.5, y / 2.5, 2) - 0.5;
        Colour stone{50 + 36 * cloud + 16 * rough, 56 + 38 * cloud + 16 * rough,
                     64 + 42 * cloud + 18 * rough};
        return blend(stone, {96, 104, 114}, 0.3 * ridge);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tally_skin_generator OUTPUT_FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tally_skin_generator: cannot create %s\n", argv[1]);
        return 1;
    }
    const std::array<std::pair<const char*, std::function<QImage()>>, 3> pictures = {{
        {"Wood6.jpg", woodGrain},
        {"BrushedMetal.jpg", brushedMetal},
        {"DarkSlate.jpg", darkSlate},
    }};
    for (const auto& [name, painter] : pictures) {
        QString path = folder.filePath(QString::fromLatin1(name));
        if (!painter().save(path, "JPG", kJpegQuality)) {
            std::fprintf(stderr, "tally_skin_generator: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
