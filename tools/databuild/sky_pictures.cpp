#include "sky_pictures.h"

#include "binary_output.h"
#include "bmp565.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace stellaro {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr uint16_t TRANSPARENT_KEY = 0xF81F;
constexpr uint16_t OPAQUE_FLAG = 0x0020;
constexpr int SAMPLES = 4; // per axis, for smooth edges
constexpr const char* BODY_FILES[] = {"Sun", "Mercury", "Venus", "Moon", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};

using Colour = std::array<double, 3>; // 0..1

// What one sample point of a picture shows: a colour and how much of the point it covers.
struct Sample {
    Colour colour{0.0, 0.0, 0.0};
    double coverage = 0.0;
};
using Shader = std::function<Sample(double x, double y)>;

uint16_t pack565(const Colour& c)
{
    const auto channel = [](double value, int top) {
        return static_cast<uint16_t>(std::lround(std::clamp(value, 0.0, 1.0) * top));
    };
    return static_cast<uint16_t>((channel(c[0], 31) << 11) | (channel(c[1], 63) << 5) | channel(c[2], 31));
}

Colour mix(const Colour& a, const Colour& b, double t)
{
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

Colour scaled(const Colour& c, double factor)
{
    return {c[0] * factor, c[1] * factor, c[2] * factor};
}

Colour rgb(double r, double g, double b)
{
    return {r / 255.0, g / 255.0, b / 255.0};
}

// The mean of SAMPLES x SAMPLES points of a pixel: colour weighted by coverage, and the coverage.
Sample pixel_sample(const Shader& shade, int x, int y)
{
    Sample sum;
    for (int sy = 0; sy < SAMPLES; ++sy)
        for (int sx = 0; sx < SAMPLES; ++sx) {
            const Sample s = shade(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES);
            for (int c = 0; c < 3; ++c)
                sum.colour[c] += s.colour[c] * s.coverage;
            sum.coverage += s.coverage;
        }
    if (sum.coverage > 0.0)
        sum.colour = scaled(sum.colour, 1.0 / sum.coverage);
    sum.coverage /= SAMPLES * SAMPLES;
    return sum;
}

// Light sources added onto black: colour times coverage, no transparency.
Picture565 render_light(int width, int height, const Shader& shade)
{
    Picture565 picture{width, height, std::vector<uint16_t>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Sample s = pixel_sample(shade, x, y);
            picture.pixels[static_cast<size_t>(y) * width + x] = pack565(scaled(s.colour, s.coverage));
        }
    return picture;
}

// Solid bodies over the sky: uncovered pixels are the transparent key, covered ones carry the
// opaque flag, and thin edge pixels stay unflagged and dimmed so that the adding painter blends
// them with half the sky behind.
Picture565 render_solid(int width, int height, const Shader& shade, bool blended_edges)
{
    Picture565 picture{width, height, std::vector<uint16_t>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Sample s = pixel_sample(shade, x, y);
            uint16_t pixel = TRANSPARENT_KEY;
            if (s.coverage >= 0.5)
                pixel = pack565(s.colour) | OPAQUE_FLAG;
            else if (blended_edges && s.coverage > 0.1)
                pixel = pack565(scaled(s.colour, s.coverage)) & static_cast<uint16_t>(~OPAQUE_FLAG);
            picture.pixels[static_cast<size_t>(y) * width + x] = pixel;
        }
    return picture;
}

double hash(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

// Smooth value noise 0..1 with a lattice that repeats every `period` cells.
double value_noise(double x, double y, int period, int seed)
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    const auto wrap = [period](int v) { return ((v % period) + period) % period; };
    const auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
    const double a = hash(wrap(x0), wrap(y0), seed);
    const double b = hash(wrap(x0 + 1), wrap(y0), seed);
    const double c = hash(wrap(x0), wrap(y0 + 1), seed);
    const double d = hash(wrap(x0 + 1), wrap(y0 + 1), seed);
    const double sx = smooth(fx);
    const double sy = smooth(fy);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// Several octaves of value noise, 0..1; u and v in 0..1 tile when `period` is the base lattice.
double fractal_noise(double u, double v, int period, int seed, int octaves = 4)
{
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        const int cells = period << octave;
        sum += weight * value_noise(u * cells, v * cells, cells, seed + octave);
        total += weight;
        weight *= 0.5;
    }
    return sum / total;
}

// A sphere of radius r centred in a BODY_SIZE square: surface point (dx, dy) in units of r,
// lit with limb darkening, the surface colour given by `surface`.
Shader sphere(double radius, std::function<Colour(double dx, double dy)> surface, double limb = 0.55)
{
    return [=](double x, double y) {
        const double dx = (x - BODY_SIZE / 2.0) / radius;
        const double dy = (y - BODY_SIZE / 2.0) / radius;
        const double r2 = dx * dx + dy * dy;
        Sample s;
        if (r2 > 1.0)
            return s;
        const double mu = std::sqrt(1.0 - r2);
        s.colour = scaled(surface(dx, dy), (1.0 - limb) + limb * std::pow(mu, 0.6));
        s.coverage = 1.0;
        return s;
    };
}

double soft_blob(double dx, double dy, double cx, double cy, double rx, double ry)
{
    // Ragged rather than elliptic outlines.
    const double ragged = 0.7 + 0.6 * fractal_noise(0.5 + dx * 0.3, 0.5 + dy * 0.3, 8, 91, 3);
    const double e = (((dx - cx) * (dx - cx)) / (rx * rx) + ((dy - cy) * (dy - cy)) / (ry * ry)) * ragged;
    const double t = std::clamp((1.6 - e) / 1.4, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

Shader sun_frame(int frame)
{
    constexpr double DISC = 18.0;
    const double turn = 2.0 * PI * frame / SUN_FRAMES;
    return [=](double x, double y) {
        const double dx = x - BODY_SIZE / 2.0;
        const double dy = y - BODY_SIZE / 2.0;
        const double r = std::hypot(dx, dy);
        const double angle = std::atan2(dy, dx);
        Sample s;
        s.coverage = 1.0;
        if (r <= DISC) {
            const double mu = std::sqrt(1.0 - (r / DISC) * (r / DISC));
            const double grain = fractal_noise(0.5 + dx / 80.0, 0.5 + dy / 80.0, 8, 11 + frame, 2);
            s.colour = scaled(mix(rgb(255, 150, 40), rgb(255, 248, 215), std::pow(mu, 0.45)), 0.92 + 0.08 * grain);
            return s;
        }
        // Rays that turn and breathe through the frames; the strip loops.
        const double rays = 0.6 + 0.16 * std::cos(7.0 * angle + turn) + 0.14 * std::cos(11.0 * angle - 2.0 * turn) +
                            0.1 * std::cos(3.0 * angle + 3.0 * turn);
        const double glow = std::exp(-(r - DISC) / (4.5 * rays + 1.0)) * 0.85;
        s.colour = scaled(rgb(255, 190, 90), std::clamp(glow, 0.0, 1.0));
        return s;
    };
}

Colour mercury_surface(double dx, double dy)
{
    const double n = fractal_noise(0.5 + dx * 0.35, 0.5 + dy * 0.35, 6, 21);
    return mix(rgb(120, 112, 104), rgb(196, 186, 174), std::clamp(n * 1.4 - 0.2, 0.0, 1.0));
}

Colour venus_surface(double dx, double dy)
{
    const double n = fractal_noise(0.5 + dx * 0.2, 0.5 + dy * 0.5, 4, 31, 3);
    return mix(rgb(222, 200, 150), rgb(250, 240, 205), 0.5 + 0.5 * (n - 0.5) + 0.15 * std::cos(dy * 5.0));
}

Colour moon_surface(double dx, double dy)
{
    double mare = 0.0;
    mare = std::max(mare, soft_blob(dx, dy, -0.55, -0.05, 0.32, 0.45)); // Oceanus Procellarum
    mare = std::max(mare, soft_blob(dx, dy, -0.28, -0.45, 0.27, 0.22)); // Imbrium
    mare = std::max(mare, soft_blob(dx, dy, 0.18, -0.42, 0.16, 0.15));  // Serenitatis
    mare = std::max(mare, soft_blob(dx, dy, 0.36, -0.1, 0.2, 0.17));    // Tranquillitatis
    mare = std::max(mare, soft_blob(dx, dy, 0.7, -0.3, 0.11, 0.13));    // Crisium
    mare = std::max(mare, soft_blob(dx, dy, 0.6, 0.15, 0.12, 0.17));    // Fecunditatis
    mare = std::max(mare, soft_blob(dx, dy, 0.4, 0.3, 0.1, 0.1));       // Nectaris
    mare = std::max(mare, soft_blob(dx, dy, -0.18, 0.33, 0.18, 0.14));  // Nubium
    mare = std::max(mare, soft_blob(dx, dy, -0.55, 0.35, 0.1, 0.1));    // Humorum
    const double n = fractal_noise(0.5 + dx * 0.45, 0.5 + dy * 0.45, 8, 41);
    Colour c = mix(rgb(208, 206, 198), rgb(128, 128, 132), std::clamp(mare * (0.6 + 0.5 * n), 0.0, 1.0));
    c = scaled(c, 0.86 + 0.28 * n);
    const double tycho = soft_blob(dx, dy, -0.12, 0.74, 0.05, 0.05);
    return mix(c, rgb(250, 250, 245), tycho);
}

Colour mars_surface(double dx, double dy)
{
    const double n = fractal_noise(0.5 + dx * 0.3, 0.5 + dy * 0.3, 4, 51);
    Colour c = mix(rgb(205, 110, 62), rgb(120, 62, 40), std::clamp((n - 0.45) * 3.0, 0.0, 1.0));
    const double cap = std::clamp((-dy - 0.78) * 8.0, 0.0, 1.0);
    return mix(c, rgb(245, 240, 235), cap);
}

Colour jupiter_surface(double dx, double dy)
{
    const double turbulence = fractal_noise(0.5 + dx * 0.25, 0.5 + dy * 0.25, 8, 61, 3) - 0.5;
    const double latitude = dy + 0.04 * turbulence;
    const double bands = 0.5 + 0.5 * std::cos(latitude * 14.0) * std::cos(latitude * 3.0);
    Colour c = mix(rgb(238, 226, 200), rgb(170, 120, 84), std::clamp(bands * 0.9, 0.0, 1.0));
    const double spot = soft_blob(dx, dy, -0.3, 0.36, 0.2, 0.1);
    return mix(c, rgb(205, 105, 72), spot);
}

Colour saturn_globe(double, double dy)
{
    const double bands = 0.5 + 0.5 * std::cos(dy * 11.0);
    return mix(rgb(236, 214, 160), rgb(196, 160, 104), bands * 0.6);
}

Colour uranus_surface(double, double dy)
{
    return mix(rgb(182, 228, 232), rgb(160, 212, 222), 0.5 + 0.5 * std::cos(dy * 4.0));
}

Colour neptune_surface(double dx, double dy)
{
    Colour c = mix(rgb(80, 120, 226), rgb(62, 96, 200), 0.5 + 0.5 * std::cos(dy * 6.0));
    return mix(c, rgb(36, 52, 130), soft_blob(dx, dy, 0.25, 0.3, 0.16, 0.09));
}

// Saturn seen about 26 degrees above its ring plane: the near half of the rings passes in front
// of the globe, the far half behind it.
Shader saturn()
{
    constexpr double GLOBE = 13.4;
    constexpr double TILT = 0.44; // sine of the view's elevation above the rings
    const Shader globe = sphere(GLOBE, saturn_globe);
    return [=](double x, double y) {
        const double dx = (x - BODY_SIZE / 2.0) / GLOBE;
        const double dy = (y - BODY_SIZE / 2.0) / GLOBE;
        const double ring_radius = std::hypot(dx, dy / TILT);
        Sample ring;
        if (ring_radius >= 1.24 && ring_radius <= 2.27 && !(ring_radius > 1.95 && ring_radius < 2.03)) {
            ring.coverage = 1.0;
            const double brightness = ring_radius < 1.53 ? 0.45 : (ring_radius < 1.95 ? 0.95 : 0.78);
            ring.colour = scaled(rgb(226, 206, 160), brightness * (0.92 + 0.08 * std::cos(ring_radius * 40.0)));
        }
        const Sample body = globe(x, y);
        if (body.coverage > 0.0 && !(ring.coverage > 0.0 && dy > 0.0))
            return body;
        return ring;
    };
}

Picture565 sun_strip()
{
    Picture565 strip{BODY_SIZE * SUN_FRAMES, BODY_SIZE, {}};
    strip.pixels.resize(static_cast<size_t>(strip.width) * strip.height);
    for (int frame = 0; frame < SUN_FRAMES; ++frame) {
        const Picture565 one = render_light(BODY_SIZE, BODY_SIZE, sun_frame(frame));
        for (int y = 0; y < BODY_SIZE; ++y)
            std::copy_n(&one.pixels[static_cast<size_t>(y) * BODY_SIZE], BODY_SIZE,
                        &strip.pixels[static_cast<size_t>(y) * strip.width + frame * BODY_SIZE]);
    }
    return strip;
}

} // namespace

Picture565 star_sprite(int drawing_class)
{
    // Sides and widths from the brightest class (0) to the faintest (7).
    static constexpr int SIDES[] = {19, 13, 9, 7, 7, 5, 5, 3};
    static constexpr double SIGMAS[] = {4.0, 2.7, 1.9, 1.5, 1.25, 1.0, 0.8, 0.6};
    const int index = std::clamp(drawing_class, 0, 7);
    const int side = SIDES[index];
    const double sigma = SIGMAS[index];
    // The window reaches black half a pixel inside the edge, so no square shows at full strength.
    const double reach = side / 2.0 - 0.5;
    const Shader disc = [=](double x, double y) {
        const double r = std::hypot(x - side / 2.0, y - side / 2.0);
        const double window = std::pow(std::max(0.0, 1.0 - (r * r) / (reach * reach)), 2.0);
        const double v = std::exp(-(r * r) / (2.0 * sigma * sigma)) * window;
        return Sample{{v, v, v}, 1.0};
    };
    // Full brightness in the centre pixel, whatever the width.
    const double peak = pixel_sample(disc, side / 2, side / 2).colour[0];
    return render_light(side, side, [=](double x, double y) {
        Sample s = disc(x, y);
        s.colour = scaled(s.colour, 1.0 / peak);
        return s;
    });
}

Picture565 star_general()
{
    constexpr int SIDE = 96;
    return render_light(SIDE, SIDE, [](double x, double y) {
        const double dx = x - SIDE / 2.0;
        const double dy = y - SIDE / 2.0;
        const double r = std::hypot(dx, dy);
        const double spikes = std::exp(-std::abs(dx) / 1.2) + std::exp(-std::abs(dy) / 1.2);
        const double halo = std::clamp(std::exp(-r / 9.0) + 0.35 * spikes * std::exp(-r / 30.0), 0.0, 1.0);
        const double core = std::exp(-(r * r) / 40.0);
        return Sample{{halo, halo, core}, 1.0};
    });
}

Picture565 body_picture(int body)
{
    switch (body) {
    case 0:
        return sun_strip();
    case 1:
        return render_solid(BODY_SIZE, BODY_SIZE, sphere(15.0, mercury_surface), true);
    case 2:
        return render_solid(BODY_SIZE, BODY_SIZE, sphere(21.0, venus_surface, 0.4), true);
    case 3:
        // The phase painter shades a disc that fills the picture and replaces what it covers.
        return render_solid(BODY_SIZE, BODY_SIZE, sphere(BODY_SIZE / 2.0, moon_surface, 0.2), false);
    case 4:
        return render_solid(BODY_SIZE, BODY_SIZE, sphere(17.0, mars_surface), true);
    case 5:
        return render_solid(BODY_SIZE, BODY_SIZE, sphere(30.0, jupiter_surface, 0.45), true);
    case 6:
        return render_solid(BODY_SIZE, BODY_SIZE, saturn(), true);
    case 7:
        return render_solid(BODY_SIZE, BODY_SIZE, sphere(20.0, uranus_surface, 0.35), true);
    default:
        return render_solid(BODY_SIZE, BODY_SIZE, sphere(20.0, neptune_surface, 0.45), true);
    }
}

Picture565 sky_background()
{
    constexpr int SIDE = 256;
    return render_light(SIDE, SIDE, [](double x, double y) {
        const double u = x / SIDE;
        const double v = y / SIDE;
        const double cloud = fractal_noise(u, v, 4, 71, 5);
        const double fine = fractal_noise(u, v, 32, 81, 2);
        const double level = std::clamp((cloud - 0.3) * 1.6, 0.0, 1.0) * 0.8 + 0.2 * fine;
        return Sample{mix(rgb(0, 4, 14), rgb(10, 20, 46), level), 1.0};
    });
}

bool write_sky_pictures(const std::string& folder)
{
    const auto write = [&](const std::string& name, const Picture565& picture) {
        return write_output(folder + "/" + name + ".bmp", bmp565_file(picture.width, picture.height, picture.pixels));
    };
    for (int drawing_class = 0; drawing_class < 8; ++drawing_class)
        if (!write("star" + std::to_string(drawing_class), star_sprite(drawing_class)))
            return false;
    if (!write("star_general", star_general()) || !write("background", sky_background()))
        return false;
    for (int body = 0; body < 9; ++body)
        if (!write(BODY_FILES[body], body_picture(body)))
            return false;
    return true;
}

} // namespace stellaro
