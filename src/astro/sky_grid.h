#pragma once
#include "astro/equatorial_vector.h"
#include "astro/fixed_vector.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace stellaro {

// One node of the sky grid: a coordinate-grid point, and the stars of the cell it starts.
struct GridNode {
    EquatorialVector direction;
    FixedVector direction_fixed;
    // Written by the renderer each frame.
    FixedVector projected;
    bool in_front = false;
    bool on_screen = false;
    // Catalogue numbers of the stars in the cell.
    std::vector<int32_t> stars;
};

// A fixed grid over the celestial sphere: row r is the hour of right ascension r, column c the
// declination band around (c - 6) x DEC_STEP. The renderer skips the cells that are off screen.
class SkyGrid {
public:
    static constexpr int ROWS = 24;
    static constexpr int COLUMNS = 13;
    static constexpr double RA_STEP = 0.2617993877991494;   // radians, one hour
    static constexpr double DEC_STEP = 0.26166666666666666; // radians, 14.992 degrees

    SkyGrid();

    // Computes every node's direction afresh and empties every cell.
    void reset();

    GridNode& node(int row, int column) { return nodes[static_cast<size_t>(row * COLUMNS + column)]; }
    const GridNode& node(int row, int column) const { return nodes[static_cast<size_t>(row * COLUMNS + column)]; }

    // The cell of a catalogue position (ra in tenths of a second of time, dec in seconds of
    // arc); false for a position outside the grid.
    static bool cell_of(int32_t ra, int32_t dec, int& row, int& column);

    // Lists a star in the cell of its position; false (and nothing listed) outside the grid.
    bool add_star(int32_t id, int32_t ra, int32_t dec);
    // Removes one listing of the star from the cell of the position.
    void remove_star(int32_t id, int32_t ra, int32_t dec);
    void clear_stars();

private:
    std::vector<GridNode> nodes;
};

} // namespace stellaro
