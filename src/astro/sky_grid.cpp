#include "astro/sky_grid.h"

#include "astro/star_record.h"

#include <algorithm>

namespace stellaro {

SkyGrid::SkyGrid()
{
    reset();
}

void SkyGrid::reset()
{
    nodes.assign(static_cast<size_t>(ROWS * COLUMNS), GridNode{});
    for (int row = 0; row < ROWS; ++row) {
        for (int column = 0; column < COLUMNS; ++column) {
            GridNode& cell = node(row, column);
            cell.direction = equatorial_vector(row * RA_STEP, (column - COLUMNS / 2) * DEC_STEP);
            cell.direction_fixed = fixed_vector(cell.direction);
        }
    }
}

bool SkyGrid::cell_of(int32_t ra, int32_t dec, int& row, int& column)
{
    if (ra < 0 || ra >= RA_UNITS_PER_TURN || dec < -DEC_UNITS_AT_POLE || dec > DEC_UNITS_AT_POLE)
        return false;
    const int64_t hour = int64_t{ra} * ROWS / RA_UNITS_PER_TURN;
    // Declination bands of 15 degrees; below the equator the band number is the integer part
    // taken as in the calendar algorithms (truncation, one less for negative values).
    constexpr int32_t BAND = DEC_UNITS_AT_POLE / (COLUMNS / 2);
    const int64_t band = dec >= 0 ? dec / BAND : -(-int64_t{dec} / BAND) - 1;
    const int64_t c = COLUMNS / 2 + band;
    if (c < 0 || c >= COLUMNS)
        return false;
    row = static_cast<int>(hour);
    column = static_cast<int>(c);
    return true;
}

bool SkyGrid::add_star(int32_t id, int32_t ra, int32_t dec)
{
    int row = 0;
    int column = 0;
    if (!cell_of(ra, dec, row, column))
        return false;
    node(row, column).stars.push_back(id);
    return true;
}

void SkyGrid::remove_star(int32_t id, int32_t ra, int32_t dec)
{
    int row = 0;
    int column = 0;
    if (!cell_of(ra, dec, row, column))
        return;
    std::vector<int32_t>& stars = node(row, column).stars;
    const auto found = std::find(stars.begin(), stars.end(), id);
    if (found != stars.end())
        stars.erase(found);
}

void SkyGrid::clear_stars()
{
    for (GridNode& cell : nodes)
        cell.stars.clear();
}

} // namespace stellaro
