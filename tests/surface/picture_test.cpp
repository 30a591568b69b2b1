#include "skin/io/file_stream.h"
#include "skin/surface/decode_image.h"
#include "skin/surface/load_565.h"
#include "skin/surface/picture.h"
#include "skin/surface/png_writer.h"
#include "support/byte_writer.h"
#include "support/golden.h"
#include "support/test_support.h"
#include "surface/surface_test_support.h"

#include "databuild/jpeg_codec.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

#include <vector>

namespace stellaro {

namespace {

// The source column of each pixel of row y in [from, to) of a surface drawn from a numbered
// picture onto black; -1 where nothing was drawn.
std::vector<int> columns(const RenderSurface& surface, int32_t y, int32_t from, int32_t to)
{
    std::vector<int> result;
    for (int32_t x = from; x < to; ++x)
        result.push_back(surface.pixel({x, y}) == 0 ? -1 : (surface.pixel({x, y}) - 1) % 100);
    return result;
}

std::shared_ptr<Picture> numbered_picture(Size size)
{
    RenderSurface source = numbered(size);
    std::unique_ptr<PixelBuffer> pixels = PixelBuffer::create(size);
    RenderSurface(*pixels).draw(source, {0, 0}, plain_copy_painter());
    return std::make_shared<Picture>(u"", std::move(pixels));
}

// A 16-bit bottom-up BMP of the pixels, given top row first, rows padded to 4 bytes.
std::string bmp_565(int32_t width, int32_t height, const std::vector<uint16_t>& pixels)
{
    const int32_t stride = (16 * width + 31) / 32 * 4;
    const int32_t start = 54 + 12; // three bit-field masks follow the header
    ByteWriter out;
    out.bytes("BM").u32(start + stride * height).u32(0).u32(start);
    out.u32(40).u32(width).u32(height).u16(1).u16(16).u32(3).u32(stride * height).u32(2835).u32(2835).u32(0).u32(0);
    out.u32(0xF800).u32(0x07E0).u32(0x001F);
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x)
            out.u16(pixels[static_cast<size_t>(y * width + x)]);
        out.bytes(std::string(static_cast<size_t>(stride - width * 2), '\0'));
    }
    return out.str();
}

std::string jpeg_of(int32_t width, int32_t height, uint32_t (*rgb)(int32_t, int32_t))
{
    RgbImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = rgb(x, y);
            uint8_t* pixel = image.at(x, y);
            pixel[0] = static_cast<uint8_t>(c >> 16);
            pixel[1] = static_cast<uint8_t>(c >> 8);
            pixel[2] = static_cast<uint8_t>(c);
        }
    return encode_jpeg(image, 95);
}

// The bytes as a file read through the program's stream, by the reader given.
class ImageFiles {
public:
    template <typename Reader>
    std::unique_ptr<PixelBuffer> read(const std::string& bytes, Reader reader) const
    {
        write_file(folder.file("image"), bytes);
        FileStream stream(utf8_to_utf16(folder.file("image")), FileStream::READ);
        return reader(stream);
    }
    std::unique_ptr<PixelBuffer> decoded(const std::string& bytes) const { return read(bytes, decode_image); }
    std::unique_ptr<PixelBuffer> bitmap(const std::string& bytes) const { return read(bytes, read_bmp_565); }
    bool readable(const std::string& bytes) const { return decoded(bytes) || bitmap(bytes); }

    TemporaryFolder folder;
};

} // namespace

// The sample sheet draws nine-part pictures whole and inside the surface; these are the cut edges.
TEST(NinePart, SurfaceEdgesClipsAndShortLengthsContinueThePatternAndBadRegionsDrawNothing)
{
    const std::shared_ptr<Picture> picture = numbered_picture(Size{10, 10});
    RenderSurface surface = blank(Size{20, 3});
    // Start 0-1, middle 2-4, end 5-6. Unclipped the row reads 0 1 | 2 3 4 2 3 4 2 3 4 2 | 5 6;
    // the left 6 pixels are off the surface.
    picture->draw(surface, {-6, 0}, {14, 1}, {0, 0}, {2, 0}, {5, 10}, {7, 10}, 0, 0, plain_copy_painter());
    EXPECT_EQ(columns(surface, 0, 0, 9), (std::vector<int>{3, 4, 2, 3, 4, 2, 5, 6, -1}));
    // The clip cuts the end part first from the far side.
    surface = blank(Size{20, 3});
    {
        const ClipScope clip(surface, {0, 0}, {11, 3});
        picture->draw(surface, {0, 0}, {14, 1}, {0, 0}, {2, 0}, {5, 10}, {7, 10}, 0, 0, plain_copy_painter());
    }
    EXPECT_EQ(columns(surface, 0, 0, 14), (std::vector<int>{0, 1, 2, 3, 4, 2, 3, 4, 2, 3, 4, -1, -1, -1}));
    // Too short for both ends: a short start part gives its excess to the end part.
    surface = blank(Size{20, 3});
    picture->draw(surface, {0, 0}, {6, 1}, {0, 0}, {1, 0}, {5, 10}, {10, 10}, 0, 0, plain_copy_painter());
    EXPECT_EQ(columns(surface, 0, 0, 7), (std::vector<int>{0, 1, 6, 7, 8, 9, -1}));
    // Regions reaching outside the picture, or turned inside out, read nothing.
    surface = blank(Size{20, 3});
    picture->draw(surface, {0, 0}, {10, 3}, {0, 0}, {1, 1}, {3, 3}, {11, 4}, 0, 0, plain_copy_painter());
    picture->draw(surface, {0, 0}, {10, 3}, {4, 0}, {1, 1}, {3, 3}, {4, 4}, 0, 0, plain_copy_painter());
    EXPECT_EQ(columns(surface, 0, 0, 20), std::vector<int>(20, -1));
}

TEST(Picture, ReferencesShareOnePictureAndNightKeepsRedTheOpaqueFlagAndTheKey)
{
    std::unique_ptr<PixelBuffer> buffer = PixelBuffer::create(Size{3, 1});
    const Pixel day[3] = {0xFFFF, TRANSPARENT_KEY, 0x07DF};
    std::copy(day, day + 3, buffer->row(0));
    const PictureRef ref = make_picture(std::move(buffer));
    const PictureRef tiled = whole_picture(ref.picture);
    EXPECT_EQ(ref.picture.use_count(), 2);
    // Night colours change the shared pixels once, for every reference.
    tiled.picture->to_night();
    const Pixel* night = ref.picture->pixels()->row(0);
    EXPECT_EQ(std::vector<Pixel>(night, night + 3), (std::vector<Pixel>{0xF820, TRANSPARENT_KEY, 0x0000}));
    EXPECT_TRUE(make_picture(nullptr).empty());
}

TEST(Bmp, RowsBottomUpOrTopDownByTheSignOfTheHeightAndLoadingByNameFindsTheFile)
{
    const ImageFiles files;
    std::string bytes = bmp_565(3, 2, {1, 2, 3, 4, 5, 6});
    for (const Pixel first_row : {1, 4}) {
        const std::unique_ptr<PixelBuffer> buffer = files.bitmap(bytes);
        ASSERT_NE(buffer, nullptr);
        ASSERT_EQ(buffer->size(), (Size{3, 2}));
        EXPECT_EQ(buffer->row(0)[0], first_row);
        EXPECT_EQ(buffer->row(0)[2], first_row + 2);
        EXPECT_EQ(buffer->row(1)[0], 5 - first_row);
        patch_le(bytes, 22, static_cast<uint32_t>(-2), 4);
    }
    write_file(files.folder.file("stars.bmp"), bmp_565(2, 2, {1, 2, 3, 4}));
    const PictureRef ref = load_565(utf8_to_utf16(files.folder.file("stars")));
    ASSERT_FALSE(ref.empty());
    EXPECT_EQ(ref.picture->name(), utf8_to_utf16(files.folder.file("stars")));
    EXPECT_TRUE(load_565(utf8_to_utf16(files.folder.file("missing"))).empty());
}

TEST(DecodeImage, PngRoundTripsThroughTheWriter)
{
    const ImageFiles files;
    RenderSurface surface(Size{7, 5});
    paint_pattern(surface, [](int32_t x, int32_t y) { return x * 0x1111 + y * 0x0841; });
    ASSERT_TRUE(write_png(surface, files.folder.file("sheet.png")));
    const std::unique_ptr<PixelBuffer> png = files.decoded(read_file(files.folder.file("sheet.png")));
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(picture_of(*png).pixels, picture_of(*surface.buffer()).pixels);
}

// Cut, patched and randomly mutated PNG, JPEG and BMP files: the known damage is refused, and
// nothing read from the mutations crashes.
TEST(DecodeImage, DamagedAndShortFilesAreRefusedAndMutationsNeverCrash)
{
    const ImageFiles files;
    ASSERT_TRUE(write_png(blank(Size{16, 16}, 0x1234), files.folder.file("plain.png")));
    const std::string png = read_file(files.folder.file("plain.png"));
    const std::string jpeg = jpeg_of(24, 16, [](int32_t x, int32_t y) { return static_cast<uint32_t>(x * 0x0A0B0C + y * 0x030201); });
    const std::string bmp = bmp_565(4, 3, std::vector<uint16_t>(12, 7));
    for (const std::string& good : {png, jpeg, bmp})
        ASSERT_TRUE(files.readable(good)) << good.size() << " bytes";

    std::vector<std::string> damaged = {png.substr(0, png.size() / 2), png.substr(0, 8), jpeg.substr(0, jpeg.size() / 2),
                                        jpeg.substr(0, 3), bmp.substr(0, 40), bmp.substr(0, bmp.size() - 9),
                                        std::string(), std::string("GIF89a........")};
    damaged.push_back(png);
    damaged.back()[20] ^= 1; // a wrong check sum inside the header chunk
    damaged.push_back(png);
    damaged.back()[16] = 0x7F; // an absurd width
    // Header fields of the bitmap: the mark, sizes, the pixel start and the depth.
    const size_t fields[][2] = {{0, 'X'}, {18, 4000}, {22, 0x7FFFFFFF}, {22, 0x80000000}, {22, 0}, {18, 0xFFFFFFFF},
                                {10, 20}, {10, 0xFFFFFF00}, {28, 24}};
    for (const auto& [offset, value] : fields) {
        damaged.push_back(bmp);
        patch_le(damaged.back(), offset, value, offset == 0 ? 1 : offset == 28 ? 2 : 4);
    }
    for (const std::string& bytes : damaged)
        EXPECT_FALSE(files.readable(bytes)) << bytes.size() << " bytes";

    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (const std::string& original : {png, jpeg, bmp}) {
        for (int round = 0; round < 150; ++round) {
            std::string bytes = original;
            for (uint32_t c = next() % 4; c < 4; ++c)
                bytes[next() % bytes.size()] = static_cast<char>(next());
            if (round % 5 == 0)
                bytes.resize(next() % bytes.size());
            for (const std::unique_ptr<PixelBuffer>& read : {files.decoded(bytes), files.bitmap(bytes)})
                EXPECT_TRUE(!read || read->width() > 0);
        }
    }
}

} // namespace stellaro
