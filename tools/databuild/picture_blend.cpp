#include "picture_blend.h"

#include <cmath>

namespace stellaro {

void blend_mask(RgbImage& image, const CoverageMask& mask, const Rgb& colour, double opacity)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const double a = mask.at(x, y) * opacity;
            if (a <= 0.0)
                continue;
            uint8_t* pixel = image.at(x, y);
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<uint8_t>(std::lround(pixel[c] * (1.0 - a) + colour[c] * a));
        }
}

void fill(RgbImage& image, const Rgb& colour)
{
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<uint8_t>(std::lround(colour[i % 3]));
}

} // namespace stellaro
