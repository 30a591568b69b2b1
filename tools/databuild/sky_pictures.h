#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

// A 16-bit picture as the sky draws it.
struct Picture565 {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels; // top-down
};

// Side of the body pictures (and of each frame of the Sun's strip) and the Sun's frame count.
constexpr int BODY_SIZE = 64;
constexpr int SUN_FRAMES = 8;

// The eight star sprites by drawing class: soft discs whose red channel is the brightness.
Picture565 star_sprite(int drawing_class);
// The star of the information panel, tinted there by the star's colour: green holds the halo
// that takes the tint, blue the white core.
Picture565 star_general();
// Body 0..8 (Sun, Mercury, Venus, Moon, Mars, Jupiter, Saturn, Uranus, Neptune). Pixels the
// body does not cover are the transparent key (black for the Sun, whose painters add light).
Picture565 body_picture(int body);
// A dark sky texture that tiles seamlessly.
Picture565 sky_background();

// Writes all of them as 16-bit BMP files into the folder.
bool write_sky_pictures(const std::string& folder);

} // namespace stellaro
