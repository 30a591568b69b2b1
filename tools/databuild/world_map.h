#pragma once
#include <string>

namespace stellaro {

// The map archive: the world picture (equirectangular, 2:1) with the borders drawn over it, cut
// into 256 x 256 JPEG tiles for the levels 0 to 4; level z is 256 x 2^z pixels wide, and the
// tile in column c and row r of level z is named z + "_" + (c + r x 2^z + 1, at least two
// digits) + ".jpg". The half of level 0 below the map is ocean.
bool build_map_archive(const std::string& picture_path, const std::string& borders_path, std::string& archive);

// The member name of a tile.
std::string tile_name(int level, int column, int row);

} // namespace stellaro
