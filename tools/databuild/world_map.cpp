#include "world_map.h"

#include "coverage_mask.h"
#include "jpeg_codec.h"
#include "picture_blend.h"
#include "stored_zip.h"
#include "tsv_table.h"

#include "platform/atomic_file.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <vector>

namespace stellaro {

namespace {

constexpr int TILE = 256;
constexpr int LEVELS = 5;
constexpr int JPEG_QUALITY = 85;
constexpr size_t MAX_SOURCE_BYTES = 64u * 1024 * 1024;
constexpr Rgb BORDER = {255, 236, 170};
constexpr double BORDER_OPACITY = 0.6;

using Polyline = std::vector<std::pair<double, double>>; // longitude, latitude

bool load_borders(const std::string& path, std::vector<Polyline>& lines)
{
    std::string bytes;
    if (!read_whole_file(path, bytes, MAX_SOURCE_BYTES)) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    std::istringstream in(bytes);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream points(line);
        std::string point;
        Polyline polyline;
        while (points >> point) {
            const size_t comma = point.find(',');
            double lon = 0.0;
            double lat = 0.0;
            if (comma == std::string::npos || !parse_double(std::string_view(point).substr(0, comma), lon) ||
                !parse_double(std::string_view(point).substr(comma + 1), lat) || std::abs(lon) > 180.0 ||
                std::abs(lat) > 90.0) {
                std::cerr << path << ":" << number << ": bad point " << point << "\n";
                return false;
            }
            polyline.emplace_back(lon, lat);
        }
        if (polyline.size() >= 2)
            lines.push_back(std::move(polyline));
    }
    return true;
}

// Each pixel of the result is the mean of a 2 x 2 block.
RgbImage half_size(const RgbImage& image)
{
    RgbImage out;
    out.width = image.width / 2;
    out.height = image.height / 2;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height * 3);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const int sum = image.at(2 * x, 2 * y)[c] + image.at(2 * x + 1, 2 * y)[c] + image.at(2 * x, 2 * y + 1)[c] +
                                image.at(2 * x + 1, 2 * y + 1)[c];
                out.at(x, y)[c] = static_cast<uint8_t>((sum + 2) / 4);
            }
    return out;
}

RgbImage resized(const RgbImage& image, int width)
{
    RgbImage out = image;
    while (out.width > width && out.width % 2 == 0 && out.height % 2 == 0)
        out = half_size(out);
    return out;
}

// The mean colour of the open South Pacific, where the picture shows nothing but ocean.
Rgb ocean_colour(const RgbImage& image)
{
    const int x0 = static_cast<int>((-135.0 + 180.0) / 360.0 * image.width);
    const int y0 = static_cast<int>((90.0 + 35.0) / 180.0 * image.height);
    const int side = std::max(1, image.width / 128);
    Rgb sum{0.0, 0.0, 0.0};
    for (int y = y0; y < y0 + side; ++y)
        for (int x = x0; x < x0 + side; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += image.at(x, y)[c];
    for (double& channel : sum)
        channel /= static_cast<double>(side) * side;
    return sum;
}

void draw_borders(RgbImage& image, const std::vector<Polyline>& lines, double width)
{
    CoverageMask mask(image.width, image.height);
    const double sx = image.width / 360.0;
    const double sy = image.height / 180.0;
    for (const Polyline& line : lines)
        for (size_t i = 1; i < line.size(); ++i)
            mask.line((line[i - 1].first + 180.0) * sx, (90.0 - line[i - 1].second) * sy, (line[i].first + 180.0) * sx,
                      (90.0 - line[i].second) * sy, width);
    blend_mask(image, mask, BORDER, BORDER_OPACITY);
}

RgbImage tile_of(const RgbImage& map, int column, int row, const Rgb& ocean)
{
    RgbImage tile;
    tile.width = TILE;
    tile.height = TILE;
    fill(tile, ocean);
    for (int y = 0; y < TILE; ++y) {
        const int source_y = row * TILE + y;
        if (source_y >= map.height)
            break;
        for (int x = 0; x < TILE; ++x) {
            const int source_x = column * TILE + x;
            if (source_x >= map.width)
                break;
            const uint8_t* from = map.at(source_x, source_y);
            std::copy(from, from + 3, tile.at(x, y));
        }
    }
    return tile;
}

} // namespace

std::string tile_name(int level, int column, int row)
{
    char name[32];
    std::snprintf(name, sizeof name, "%d_%02d.jpg", level, column + row * (1 << level) + 1);
    return name;
}

bool build_map_archive(const std::string& picture_path, const std::string& borders_path, std::string& archive)
{
    std::string bytes;
    RgbImage world;
    if (!read_whole_file(picture_path, bytes, MAX_SOURCE_BYTES) || !decode_jpeg(bytes, world)) {
        std::cerr << picture_path << ": not a readable JPEG picture\n";
        return false;
    }
    const int finest_width = TILE << (LEVELS - 1);
    if (world.width != 2 * world.height || world.width < finest_width) {
        std::cerr << picture_path << ": expected a 2:1 picture at least " << finest_width << " pixels wide\n";
        return false;
    }
    std::vector<Polyline> borders;
    if (!load_borders(borders_path, borders))
        return false;

    const Rgb ocean = ocean_colour(world);
    std::vector<RgbImage> levels(LEVELS);
    levels[LEVELS - 1] = resized(world, finest_width);
    if (levels[LEVELS - 1].width != finest_width) {
        std::cerr << picture_path << ": its width does not halve down to " << finest_width << " pixels\n";
        return false;
    }
    for (int level = LEVELS - 2; level >= 0; --level)
        levels[level] = half_size(levels[level + 1]);

    // Coarse levels first: the program finds a member by scanning the archive from its start.
    StoredZip zip;
    size_t tiles = 0;
    for (int level = 0; level < LEVELS; ++level) {
        RgbImage& drawn = levels[level];
        // Borders keep about one screen pixel at every level, fainter where the map is small.
        draw_borders(drawn, borders, level >= 3 ? 1.0 : 0.75);
        const int columns = 1 << level;
        const int rows = std::max(1, columns / 2);
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                const std::string jpeg = encode_jpeg(tile_of(drawn, column, row, ocean), JPEG_QUALITY);
                if (jpeg.empty() || !zip.add(tile_name(level, column, row), jpeg)) {
                    std::cerr << "map.zip: the tile " << tile_name(level, column, row) << " failed\n";
                    return false;
                }
                ++tiles;
            }
    }
    std::cout << "map.zip: " << tiles << " tiles\n";
    archive = zip.finish();
    return true;
}

} // namespace stellaro
