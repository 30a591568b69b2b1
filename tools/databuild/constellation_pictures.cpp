#include "constellation_pictures.h"

#include "picture_blend.h"
#include "star_colour.h"
#include "stored_zip.h"

#include "platform/atomic_file.h"
#include "skin/surface/pixel.h"
#include "skin/surface/pixel_buffer.h"
#include "skin/surface/png_writer.h"

#include "astro/angles.h"
#include "astro/equatorial_vector.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <iostream>
#include <set>

namespace stellaro {

namespace {

constexpr Rgb GROUND = {6, 10, 26};
constexpr Rgb FIGURE = {86, 128, 196};
constexpr double FIGURE_WIDTH = 1.6;
constexpr double MARGIN = 14.0;
// More or fainter field stars would only speckle the picture (large figures cover many).
constexpr double FIELD_LIMIT = 5.5;
constexpr size_t FIELD_STARS = 110;

struct Vec3 {
    double x, y, z;
};

double dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 direction(const SourceStar& star)
{
    const EquatorialVector v = equatorial_vector(star.ra_degrees * DEG_TO_RAD, star.dec_degrees * DEG_TO_RAD);
    return {v.x, v.y, v.z};
}

// Gnomonic projection onto the plane touching the sky at the figure's centre.
class FieldProjection {
public:
    explicit FieldProjection(const Vec3& centre_direction) : centre(centre_direction)
    {
        const double ra = std::atan2(centre.y, centre.x);
        const double dec = std::asin(std::clamp(centre.z, -1.0, 1.0));
        east = {-std::sin(ra), std::cos(ra), 0.0};
        north = {-std::sin(dec) * std::cos(ra), -std::sin(dec) * std::sin(ra), std::cos(dec)};
    }

    // False for directions too far from the centre to project.
    bool project(const Vec3& p, double& u, double& v) const
    {
        const double depth = dot(p, centre);
        if (depth < 0.2)
            return false;
        u = dot(p, east) / depth;
        v = dot(p, north) / depth;
        return true;
    }

private:
    Vec3 centre;
    Vec3 east{};
    Vec3 north{};
};

double dot_radius(double magnitude)
{
    return std::clamp(3.3 - 0.45 * magnitude, 0.45, 4.2);
}

// The figure's own stars stay clear dots even in the faintest constellations.
double figure_dot_radius(double magnitude)
{
    return std::max(dot_radius(magnitude), 1.3);
}

Rgb star_colour(const SourceStar& star, double whiteness)
{
    const auto tint = star.has_colour_index ? star_tint(star.colour_index) : std::array<uint8_t, 3>{255, 255, 255};
    Rgb colour{};
    for (int c = 0; c < 3; ++c)
        colour[c] = tint[c] * (1.0 - whiteness) + 255.0 * whiteness;
    return colour;
}

// The picture as a PNG file's bytes, through the program's own PNG writer (which writes files).
std::string png_bytes(const RgbImage& image, const std::string& scratch_path)
{
    std::unique_ptr<PixelBuffer> buffer = PixelBuffer::create({image.width, image.height});
    if (!buffer)
        return {};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* rgb = image.at(x, y);
            buffer->row(y)[x] = rgb565(rgb[0], rgb[1], rgb[2]);
        }
    std::string bytes;
    if (!write_png(*buffer, scratch_path) || !read_whole_file(scratch_path, bytes, 16u * 1024 * 1024))
        bytes.clear();
    std::error_code ignored;
    std::filesystem::remove(scratch_path, ignored);
    return bytes;
}

} // namespace

RgbImage constellation_picture(const SourceConstellation& constellation, const StarTable& stars)
{
    const int size = CONSTELLATION_PICTURE_SIZE;
    RgbImage image;
    image.width = size;
    image.height = size;
    fill(image, GROUND);

    std::set<int> members;
    Vec3 sum{0.0, 0.0, 0.0};
    for (int hr : constellation.figure)
        if (hr != -1 && members.insert(hr).second) {
            const Vec3 p = direction(stars.at(hr));
            sum = {sum.x + p.x, sum.y + p.y, sum.z + p.z};
        }
    const double length = std::sqrt(dot(sum, sum));
    const FieldProjection projection({sum.x / length, sum.y / length, sum.z / length});

    double extent = 1e-6;
    for (int hr : members) {
        double u = 0.0;
        double v = 0.0;
        if (projection.project(direction(stars.at(hr)), u, v))
            extent = std::max({extent, std::abs(u), std::abs(v)});
    }
    const double scale = (size / 2.0 - MARGIN) / extent;
    auto to_picture = [&](const SourceStar& star, double& x, double& y) {
        double u = 0.0;
        double v = 0.0;
        if (!projection.project(direction(star), u, v))
            return false;
        x = size / 2.0 - u * scale; // east is to the left on the sky
        y = size / 2.0 - v * scale;
        return x > -8.0 && x < size + 8.0 && y > -8.0 && y < size + 8.0;
    };

    std::vector<const SourceStar*> field;
    for (const auto& [hr, star] : stars) {
        double x = 0.0;
        double y = 0.0;
        if (!members.contains(hr) && star.magnitude <= FIELD_LIMIT && to_picture(star, x, y))
            field.push_back(&star);
    }
    std::sort(field.begin(), field.end(), [](const SourceStar* a, const SourceStar* b) { return a->magnitude < b->magnitude; });
    field.resize(std::min(field.size(), FIELD_STARS));

    CoverageMask mask(size, size);
    for (const SourceStar* field_star : field) {
        const SourceStar& star = *field_star;
        double x = 0.0;
        double y = 0.0;
        to_picture(star, x, y);
        mask.clear();
        mask.disc(x, y, dot_radius(star.magnitude) * 0.6);
        blend_mask(image, mask, star_colour(star, 0.6), 0.45);
    }

    mask.clear();
    double previous_x = 0.0;
    double previous_y = 0.0;
    bool pen_down = false;
    for (int hr : constellation.figure) {
        double x = 0.0;
        double y = 0.0;
        if (hr == -1 || !to_picture(stars.at(hr), x, y)) {
            pen_down = false;
            continue;
        }
        if (pen_down)
            mask.line(previous_x, previous_y, x, y, FIGURE_WIDTH);
        previous_x = x;
        previous_y = y;
        pen_down = true;
    }
    blend_mask(image, mask, FIGURE, 1.0);

    // A ring of ground around each figure star keeps the lines from touching the dots.
    mask.clear();
    for (int hr : members) {
        double x = 0.0;
        double y = 0.0;
        if (to_picture(stars.at(hr), x, y))
            mask.disc(x, y, figure_dot_radius(stars.at(hr).magnitude) + 1.6);
    }
    blend_mask(image, mask, GROUND, 1.0);
    for (int hr : members) {
        double x = 0.0;
        double y = 0.0;
        if (!to_picture(stars.at(hr), x, y))
            continue;
        mask.clear();
        mask.disc(x, y, figure_dot_radius(stars.at(hr).magnitude));
        blend_mask(image, mask, star_colour(stars.at(hr), 0.45), 1.0);
    }
    return image;
}

bool constellation_archive(const std::vector<SourceConstellation>& constellations, const StarTable& stars,
                           const std::string& scratch_path, std::string& archive)
{
    StoredZip zip;
    for (const SourceConstellation& constellation : constellations) {
        const std::string png = png_bytes(constellation_picture(constellation, stars), scratch_path);
        if (png.empty() || !zip.add(constellation.code + ".png", png)) {
            std::cerr << "constellations.zip: the picture of " << constellation.code << " failed\n";
            return false;
        }
    }
    archive = zip.finish();
    return true;
}

} // namespace stellaro
