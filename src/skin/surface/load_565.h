#pragma once
#include "skin/io/input_stream.h"
#include "skin/surface/picture.h"
#include "skin/surface/pixel_buffer.h"

#include <memory>
#include <string>
#include <string_view>

namespace stellaro {

// Reads a 16-bit BMP (pixel words taken as RGB565 as stored; rows bottom-up for a positive
// height, top-down for a negative one). Null for any other depth, a damaged header, or a
// header asking for more pixels than the stream holds; nothing is allocated before the
// header has been checked against the stream's size.
std::unique_ptr<PixelBuffer> read_bmp_565(InputStream& stream);

// Loads name + ".bmp" as a whole-picture reference whose picture remembers the name; on failure
// logs "load_565 <name> is not 16bit bitmap", tells why in problem when one is given, and gives
// an empty reference.
PictureRef load_565(std::u16string_view name, std::string* problem = nullptr);

} // namespace stellaro
