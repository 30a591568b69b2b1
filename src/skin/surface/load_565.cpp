#include "skin/surface/load_565.h"

#include "skin/io/file_stream.h"
#include "skin/io/log.h"
#include "skin/io/packed_bytes.h"

#include <bit>

namespace stellaro {

namespace {

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr size_t INFO_HEADER_SIZE = 40;
constexpr size_t HEADERS_SIZE = FILE_HEADER_SIZE + INFO_HEADER_SIZE;

// Files store pixel words little-endian.
void to_native_order([[maybe_unused]] Pixel* row, [[maybe_unused]] int32_t count)
{
    if constexpr (std::endian::native == std::endian::big)
        for (int32_t i = 0; i < count; ++i)
            row[i] = static_cast<Pixel>(row[i] << 8 | row[i] >> 8);
}

// The picture, or null with the reason in fault.
std::unique_ptr<PixelBuffer> read_bmp(InputStream& stream, const char*& fault)
{
    uint8_t header[HEADERS_SIZE];
    fault = "it cannot be read";
    if (!stream.is_open())
        return nullptr;
    fault = "it is cut short in its header";
    if (stream.read(header, sizeof header) != sizeof header)
        return nullptr;
    const uint8_t* info = header + FILE_HEADER_SIZE;
    fault = "it is not a BMP picture";
    if (header[0] != 'B' || header[1] != 'M')
        return nullptr;
    fault = "it is not a 16-bit BMP picture";
    if (get_unsigned(info + 14, 2) != 16)
        return nullptr;
    const uint32_t data_offset = get_unsigned(header + 10, 4);
    const auto width = static_cast<int32_t>(get_unsigned(info + 4, 4));
    const auto height = static_cast<int64_t>(static_cast<int32_t>(get_unsigned(info + 8, 4)));
    const int64_t rows = height < 0 ? -height : height;
    fault = "its header gives an impossible size or pixel offset";
    if (width < 1 || rows < 1 || width > PixelBuffer::MAX_SIDE || rows > PixelBuffer::MAX_SIDE ||
        data_offset < HEADERS_SIZE)
        return nullptr;
    const int64_t row_bytes = int64_t{width} * 2;
    const int64_t stride = (int64_t{16} * width + 31) / 32 * 4;
    // The last row may lack its padding; everything else must be in the file.
    fault = "it is cut short in its pixels";
    if (int64_t{data_offset} + (rows - 1) * stride + row_bytes > static_cast<int64_t>(stream.size()))
        return nullptr;
    if (stream.skip(data_offset - HEADERS_SIZE) != data_offset - HEADERS_SIZE)
        return nullptr;

    std::unique_ptr<PixelBuffer> buffer = PixelBuffer::create(Size{width, static_cast<int32_t>(rows)});
    if (!buffer) {
        fault = "there is no memory for its pixels";
        return nullptr;
    }
    for (int64_t r = 0; r < rows; ++r) {
        const auto y = static_cast<int32_t>(height > 0 ? rows - 1 - r : r);
        Pixel* row = buffer->row(y);
        if (stream.read(row, static_cast<size_t>(row_bytes)) != static_cast<size_t>(row_bytes))
            return nullptr;
        to_native_order(row, width);
        if (r + 1 < rows && stream.skip(static_cast<uint64_t>(stride - row_bytes)) != static_cast<uint64_t>(stride - row_bytes))
            return nullptr;
    }
    fault = nullptr;
    return buffer;
}

} // namespace

std::unique_ptr<PixelBuffer> read_bmp_565(InputStream& stream)
{
    const char* fault = nullptr;
    return read_bmp(stream, fault);
}

PictureRef load_565(std::u16string_view name, std::string* problem)
{
    FileStream file(std::u16string(name) + u".bmp", FileStream::READ);
    const char* fault = nullptr;
    std::unique_ptr<PixelBuffer> buffer = read_bmp(file, fault);
    if (!buffer) {
        log() << "load_565 " << name << " is not 16bit bitmap\n";
        if (problem)
            *problem = fault;
        return {};
    }
    return whole_picture(std::make_shared<Picture>(std::u16string(name), std::move(buffer)));
}

} // namespace stellaro
