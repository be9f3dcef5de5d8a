#include "colour_names.h"

#include <array>
#include <cmath>
#include <limits>

namespace tavo {

namespace {

struct NamedColour {
    const char* name;
    Rgb rgb;
};

// Common names a user would say, with one typical shade each.
constexpr std::array named_colours{
    NamedColour{"black", {0, 0, 0}},
    NamedColour{"dark gray", {64, 64, 64}},
    NamedColour{"gray", {128, 128, 128}},
    NamedColour{"light gray", {192, 192, 192}},
    NamedColour{"white", {255, 255, 255}},
    NamedColour{"red", {255, 0, 0}},
    NamedColour{"dark red", {139, 0, 0}},
    NamedColour{"pink", {255, 192, 203}},
    NamedColour{"hot pink", {255, 105, 180}},
    NamedColour{"magenta", {255, 0, 255}},
    NamedColour{"violet", {238, 130, 238}},
    NamedColour{"purple", {128, 0, 128}},
    NamedColour{"lavender", {190, 160, 230}},
    NamedColour{"orange", {255, 165, 0}},
    NamedColour{"brown", {139, 69, 19}},
    NamedColour{"beige", {245, 235, 200}},
    NamedColour{"gold", {255, 215, 0}},
    NamedColour{"yellow", {255, 255, 0}},
    NamedColour{"light yellow", {255, 255, 170}},
    NamedColour{"olive", {128, 128, 0}},
    NamedColour{"light green", {144, 238, 144}},
    NamedColour{"bright green", {0, 255, 0}},
    NamedColour{"green", {0, 160, 0}},
    NamedColour{"dark green", {0, 100, 0}},
    NamedColour{"teal", {0, 128, 128}},
    NamedColour{"cyan", {0, 255, 255}},
    NamedColour{"light blue", {173, 216, 230}},
    NamedColour{"sky blue", {100, 180, 255}},
    NamedColour{"blue", {0, 0, 255}},
    NamedColour{"dark blue", {0, 0, 139}},
};

struct Lab {
    double lightness;
    double a;
    double b;
};

double linear_light(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double lab_curve(double t) {
    constexpr double epsilon = 216.0 / 24389.0;
    constexpr double kappa = 24389.0 / 27.0;
    return t > epsilon ? std::cbrt(t) : (kappa * t + 16.0) / 116.0;
}

// sRGB to CIE L*a*b* under daylight (D65), where equal distances look alike.
Lab to_lab(Rgb colour) {
    const double r = linear_light(colour.red);
    const double g = linear_light(colour.green);
    const double b = linear_light(colour.blue);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const double fx = lab_curve(x);
    const double fy = lab_curve(y);
    const double fz = lab_curve(z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double squared_distance(const Lab& one, const Lab& other) {
    const double dl = one.lightness - other.lightness;
    const double da = one.a - other.a;
    const double db = one.b - other.b;
    return dl * dl + da * da + db * db;
}

} // namespace

QString nearest_colour_name(Rgb colour) {
    const Lab seen = to_lab(colour);
    const char* nearest = named_colours.front().name;
    double best = std::numeric_limits<double>::max();
    for (const NamedColour& named : named_colours) {
        const double distance = squared_distance(seen, to_lab(named.rgb));
        if (distance < best) {
            best = distance;
            nearest = named.name;
        }
    }
    return QString::fromLatin1(nearest);
}

QString colour_hex_code(Rgb colour) {
    return QStringLiteral("#%1%2%3")
        .arg(static_cast<int>(colour.red), 2, 16, QLatin1Char('0'))
        .arg(static_cast<int>(colour.green), 2, 16, QLatin1Char('0'))
        .arg(static_cast<int>(colour.blue), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString describe_colour(Rgb colour) {
    return nearest_colour_name(colour) + QStringLiteral(", ") + colour_hex_code(colour);
}

} // namespace tavo
