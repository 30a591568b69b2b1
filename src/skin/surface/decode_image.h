#pragma once
#include "skin/io/input_stream.h"
#include "skin/surface/pixel_buffer.h"

#include <memory>

namespace stellaro {

// Decodes a PNG or JPEG image read from the stream into RGB565 pixels (JPEG straight to 16 bits;
// PNG transparency mixed over black). A damaged, truncated or unknown image, or one over
// 10000 pixels on a side, gives null and a log line.
std::unique_ptr<PixelBuffer> decode_image(InputStream& stream);

} // namespace stellaro
