#pragma once

#include <algorithm>
#include <cmath>

// Inline, so that both presenters keep a defined text colour readable by one
// rule without linking the window layer.
namespace rt {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// What text needs against its background to be read comfortably: the usual
// accessibility guideline for body text.
inline constexpr double kReadableContrast = 4.5;

namespace colour_detail {

// x to the power 2.4, for x in (0, 1]: the fifth root of x^12 by Newton's
// steps from x^2, which is near. No call into the mathematics library, which
// the smallest build of the program would otherwise carry for this alone.
inline double powerOfTwoPointFour(double x) {
    const double square = x * x;
    const double fourth = square * square;
    const double twelfth = fourth * fourth * fourth;
    double root = square;
    constexpr int kSteps = 8;
    for (int i = 0; i < kSteps; ++i) {
        const double rootSquared = root * root;
        root = (4 * root + twelfth / (rootSquared * rootSquared)) / 5;
    }
    return root;
}

// A channel's light, as the sRGB curve has it.
inline double linear(int channel) {
    const double value = std::clamp(channel, 0, 255) / 255.0;
    return value <= 0.04045 ? value / 12.92 : powerOfTwoPointFour((value + 0.055) / 1.055);
}

struct Hsl {
    double hue = 0;  // 0..6, in sixths of the circle
    double saturation = 0;
    double lightness = 0;
};

inline Hsl toHsl(Rgb colour) {
    const double r = colour.red / 255.0;
    const double g = colour.green / 255.0;
    const double b = colour.blue / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    Hsl hsl;
    hsl.lightness = (high + low) / 2;
    const double chroma = high - low;
    if (chroma <= 0) {
        return hsl;
    }
    hsl.saturation = chroma / (1 - std::abs(2 * hsl.lightness - 1));
    if (high == r) {
        const double hue = (g - b) / chroma;
        hsl.hue = hue < 0 ? hue + 6 : hue;
    } else if (high == g) {
        hsl.hue = (b - r) / chroma + 2;
    } else {
        hsl.hue = (r - g) / chroma + 4;
    }
    return hsl;
}

inline Rgb fromHsl(const Hsl& hsl) {
    const double chroma = (1 - std::abs(2 * hsl.lightness - 1)) * hsl.saturation;
    const double withinTwo = hsl.hue - 2 * static_cast<int>(hsl.hue / 2);
    const double second = chroma * (1 - std::abs(withinTwo - 1));
    const double base = hsl.lightness - chroma / 2;
    double r = 0;
    double g = 0;
    double b = 0;
    switch (static_cast<int>(hsl.hue) % 6) {
        case 0:
            r = chroma, g = second;
            break;
        case 1:
            r = second, g = chroma;
            break;
        case 2:
            g = chroma, b = second;
            break;
        case 3:
            g = second, b = chroma;
            break;
        case 4:
            r = second, b = chroma;
            break;
        default:
            r = chroma, b = second;
            break;
    }
    // Rounded half up by hand: lround would bring the mathematics library in.
    const auto channel = [&](double value) {
        const double scaled = (value + base) * 255;
        const int whole = static_cast<int>(scaled);
        return std::clamp(scaled - whole >= 0.5 ? whole + 1 : whole, 0, 255);
    };
    return {channel(r), channel(g), channel(b)};
}

}  // namespace colour_detail

[[nodiscard]] inline double relativeLuminance(Rgb colour) {
    using colour_detail::linear;
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

// From 1 (the same) to 21 (black on white).
[[nodiscard]] inline double contrastRatio(Rgb first, Rgb second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The colour itself where it stands out from `background` by at least
// kReadableContrast; otherwise the nearest shade of the same hue and
// saturation that does, lighter or darker, whichever needs the smaller
// change. Black or white always get there, so a shade is always found.
[[nodiscard]] inline Rgb readableShade(Rgb colour, Rgb background) {
    if (contrastRatio(colour, background) >= kReadableContrast) {
        return colour;
    }
    const colour_detail::Hsl start = colour_detail::toHsl(colour);
    const auto reads = [&](double lightness) {
        colour_detail::Hsl shade = start;
        shade.lightness = std::clamp(lightness, 0.0, 1.0);
        return contrastRatio(colour_detail::fromHsl(shade), background) >= kReadableContrast;
    };
    // The lightness nearest the colour's own, on the way to `end`, that
    // reads; `end` itself when even that does not.
    const auto nearestTowards = [&](double end) {
        double within = start.lightness;
        double beyond = end;
        constexpr int kHalvings = 24;
        for (int i = 0; i < kHalvings; ++i) {
            const double middle = (within + beyond) / 2;
            (reads(middle) ? beyond : within) = middle;
        }
        return beyond;
    };
    const double lighter = nearestTowards(1.0);
    const double darker = nearestTowards(0.0);
    const bool lighten =
        reads(lighter) && (!reads(darker) || lighter - start.lightness <= start.lightness - darker);
    colour_detail::Hsl shade = start;
    shade.lightness = lighten ? lighter : darker;
    // Rounding to whole channels may fall a hair short: go on until it reads.
    const double nudge = lighten ? 1.0 / 255 : -1.0 / 255;
    Rgb result = colour_detail::fromHsl(shade);
    while (contrastRatio(result, background) < kReadableContrast && shade.lightness > 0 &&
           shade.lightness < 1) {
        shade.lightness = std::clamp(shade.lightness + nudge, 0.0, 1.0);
        result = colour_detail::fromHsl(shade);
    }
    return result;
}

}  // namespace rt
