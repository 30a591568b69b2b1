#include "skin/io/file_stream.h"
#include "skin/io/zip_reader.h"
#include "support/stored_zip.h"
#include "skin/surface/decode_image.h"
#include "skin/surface/load_565.h"
#include "skin/surface/picture.h"
#include "skin/surface/png_writer.h"
#include "support/test_support.h"
#include "surface/surface_test_support.h"

#include "platform/utf.h"

#include <gtest/gtest.h>

#include <vector>

namespace stellaro {

namespace {

// A picture whose pixel (x, y) is 100 * y + x + 1.
std::shared_ptr<Picture> numbered_picture(Size size)
{
    std::unique_ptr<PixelBuffer> buffer = PixelBuffer::create(size);
    for (int32_t y = 0; y < size.height; ++y)
        for (int32_t x = 0; x < size.width; ++x)
            buffer->row(y)[x] = static_cast<Pixel>(100 * y + x + 1);
    return std::make_shared<Picture>(u"", std::move(buffer));
}

// The source column (pixel - 1) % 100 and row (pixel - 1) / 100 of each pixel of a row.
std::vector<int> columns_of_row(const RenderSurface& surface, int32_t y, int32_t from, int32_t to)
{
    std::vector<int> columns;
    for (int32_t x = from; x < to; ++x)
        columns.push_back(surface.pixel({x, y}) == 0 ? -1 : (surface.pixel({x, y}) - 1) % 100);
    return columns;
}

std::vector<int> rows_of_column(const RenderSurface& surface, int32_t x, int32_t from, int32_t to)
{
    std::vector<int> rows;
    for (int32_t y = from; y < to; ++y)
        rows.push_back(surface.pixel({x, y}) == 0 ? -1 : (surface.pixel({x, y}) - 1) / 100);
    return rows;
}

std::vector<int> sequence(std::initializer_list<std::pair<int, int>> runs)
{
    std::vector<int> values;
    for (const auto& [first, last] : runs)
        for (int v = first; v <= last; ++v)
            values.push_back(v);
    return values;
}

PictureRef nine_part(std::shared_ptr<Picture> picture, Point p0, Point p1, Point p2, Point p3, int32_t scale = 0)
{
    PictureRef ref;
    ref.picture = std::move(picture);
    ref.p0 = p0;
    ref.p1 = p1;
    ref.p2 = p2;
    ref.p3 = p3;
    ref.scale = scale;
    return ref;
}

} // namespace

TEST(NinePart, WholePictureTilesAndCrops)
{
    const PictureRef ref = whole_picture(numbered_picture(Size{10, 10}));
    EXPECT_EQ(ref.size(), (Size{10, 10}));
    RenderSurface surface(Size{30, 12});
    fill(surface, 0);
    ref.draw(surface, {0, 0}, {25, 10}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 0, 0, 26), sequence({{0, 9}, {0, 9}, {0, 4}, {-1, -1}}));
    EXPECT_EQ(rows_of_column(surface, 3, 0, 11), sequence({{0, 9}, {-1, -1}}));

    fill(surface, 0);
    ref.draw(surface, {1, 1}, {4, 3}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 1, 0, 6), sequence({{-1, -1}, {0, 3}, {-1, -1}}));
    EXPECT_EQ(rows_of_column(surface, 1, 0, 5), sequence({{-1, -1}, {0, 2}, {-1, -1}}));
}

TEST(NinePart, FixedEndsAndRepeatedMiddle)
{
    // Start 0-3, middle 4-5, end 6-9 on both axes.
    const PictureRef ref = nine_part(numbered_picture(Size{10, 10}), {0, 0}, {4, 4}, {6, 6}, {10, 10});
    RenderSurface surface(Size{20, 20});
    fill(surface, 0);
    ref.draw(surface, {0, 0}, {13, 11}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 0, 0, 14), sequence({{0, 3}, {4, 5}, {4, 5}, {4, 4}, {6, 9}, {-1, -1}}));
    EXPECT_EQ(rows_of_column(surface, 0, 0, 12), sequence({{0, 3}, {4, 5}, {4, 4}, {6, 9}, {-1, -1}}));
}

TEST(NinePart, ShortLengthsSplitBetweenTheEnds)
{
    const PictureRef ref = nine_part(numbered_picture(Size{10, 10}), {0, 0}, {4, 4}, {6, 6}, {10, 10});
    RenderSurface surface(Size{20, 20});
    fill(surface, 0);
    // 5 wide: 2 start pixels, 1 middle pixel, 2 end pixels.
    ref.draw(surface, {0, 0}, {5, 10}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 0, 0, 6), (std::vector<int>{0, 1, 4, 8, 9, -1}));
    // A short start part gives its excess to the end part: start 1, end 4, drawn 6 wide.
    const PictureRef lopsided = nine_part(numbered_picture(Size{10, 10}), {0, 0}, {1, 0}, {5, 10}, {10, 10});
    fill(surface, 0);
    lopsided.draw(surface, {0, 0}, {6, 1}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 0, 0, 6), (std::vector<int>{0, 1, 6, 7, 8, 9}));
}

TEST(NinePart, ScaleOneDoublesEverySourcePixel)
{
    const PictureRef ref = nine_part(numbered_picture(Size{3, 2}), {0, 0}, {0, 0}, {6, 4}, {6, 4}, 1);
    EXPECT_EQ(ref.size(), (Size{6, 4}));
    RenderSurface surface(Size{6, 4});
    ref.draw(surface, {0, 0}, {6, 4}, plain_copy_painter());
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 6; ++x)
            EXPECT_EQ(surface.pixel({x, y}), 100 * (y / 2) + x / 2 + 1) << x << "," << y;
}

TEST(NinePart, ClippingContinuesTheRepetition)
{
    const PictureRef ref = nine_part(numbered_picture(Size{10, 10}), {0, 0}, {2, 0}, {5, 10}, {7, 10});
    RenderSurface surface(Size{20, 3});
    fill(surface, 0);
    // Unclipped the row reads 0 1 | 2 3 4 2 3 4 2 3 4 2 | 5 6; the left 6 pixels are off the surface.
    ref.draw(surface, {-6, 0}, {14, 1}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 0, 0, 9), (std::vector<int>{3, 4, 2, 3, 4, 2, 5, 6, -1}));
    // The clip cuts the end part first from the far side.
    fill(surface, 0);
    surface.set_clip({0, 0}, {11, 3});
    ref.draw(surface, {0, 0}, {14, 1}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 0, 0, 14), sequence({{0, 4}, {2, 4}, {2, 4}, {-1, -1}, {-1, -1}, {-1, -1}}));
}

TEST(NinePart, RegionsOutsideThePictureOrEmptyMiddlesAreSafe)
{
    RenderSurface surface(Size{20, 20});
    fill(surface, 0);
    nine_part(numbered_picture(Size{4, 4}), {0, 0}, {1, 1}, {3, 3}, {5, 4}).draw(surface, {0, 0}, {10, 10},
                                                                                  plain_copy_painter());
    nine_part(numbered_picture(Size{4, 4}), {2, 0}, {1, 1}, {3, 3}, {4, 4}).draw(surface, {0, 0}, {10, 10},
                                                                                  plain_copy_painter());
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x)
            ASSERT_EQ(surface.pixel({x, y}), 0);
    // No middle to repeat: the ends are drawn and the stretch between them is left alone.
    const PictureRef ends_only = nine_part(numbered_picture(Size{4, 1}), {0, 0}, {2, 0}, {2, 1}, {4, 1});
    ends_only.draw(surface, {0, 0}, {8, 1}, plain_copy_painter());
    EXPECT_EQ(columns_of_row(surface, 0, 0, 8), (std::vector<int>{0, 1, -1, -1, -1, -1, 2, 3}));
}

TEST(Picture, NightKeepsRedAndTheOpaqueFlag)
{
    std::unique_ptr<PixelBuffer> buffer = PixelBuffer::create(Size{3, 1});
    buffer->row(0)[0] = 0xFFFF;
    buffer->row(0)[1] = TRANSPARENT_KEY;
    buffer->row(0)[2] = 0x07DF;
    const PictureRef ref = make_picture(std::move(buffer));
    ref.picture->to_night();
    EXPECT_EQ(ref.picture->pixels()->row(0)[0], 0xF820);
    EXPECT_EQ(ref.picture->pixels()->row(0)[1], TRANSPARENT_KEY);
    EXPECT_EQ(ref.picture->pixels()->row(0)[2], 0x0000);
    EXPECT_TRUE(ref.picture->name().empty());
    EXPECT_TRUE(make_picture(nullptr).empty());
    EXPECT_EQ(make_picture(nullptr).size(), (Size{0, 0}));
}

TEST(Bmp, BottomUpAndTopDownRows)
{
    const std::vector<uint16_t> pixels = {0x0001, 0x0002, 0x0003, 0x0004, 0x0005, 0x0006};
    for (const bool top_down : {false, true}) {
        MemoryStream stream(bmp_565(3, 2, pixels, top_down));
        std::unique_ptr<PixelBuffer> buffer = read_bmp_565(stream);
        ASSERT_NE(buffer, nullptr);
        EXPECT_EQ(buffer->size(), (Size{3, 2}));
        EXPECT_EQ(buffer->row(0)[0], 0x0001);
        EXPECT_EQ(buffer->row(0)[2], 0x0003);
        EXPECT_EQ(buffer->row(1)[0], 0x0004);
        EXPECT_EQ(buffer->row(1)[2], 0x0006);
    }
}

TEST(Bmp, LoadByNameRemembersTheName)
{
    TemporaryFolder folder;
    write_file(folder.file("stars.bmp"), bmp_565(2, 2, {1, 2, 3, 4}, false));
    const std::u16string name = utf8_to_utf16(folder.file("stars"));
    const PictureRef ref = load_565(name);
    ASSERT_FALSE(ref.empty());
    EXPECT_EQ(ref.size(), (Size{2, 2}));
    EXPECT_EQ(ref.picture->name(), name);
    EXPECT_EQ(ref.p2, (Point{2, 2}));
}

TEST(Bmp, OtherDepthsAndDamagedFilesAreRefused)
{
    TemporaryFolder folder;
    LogCapture capture;
    write_file(folder.file("deep.bmp"), bmp_565(2, 2, {1, 2, 3, 4}, false, 24));
    const PictureRef ref = load_565(utf8_to_utf16(folder.file("deep")));
    EXPECT_TRUE(ref.empty());
    EXPECT_EQ(ref.size(), (Size{0, 0}));
    EXPECT_NE(capture.text().find("load_565 " + folder.file("deep") + " is not 16bit bitmap\n"), std::string::npos);
    EXPECT_TRUE(load_565(utf8_to_utf16(folder.file("missing"))).empty());

    const std::string good = bmp_565(4, 3, std::vector<uint16_t>(12, 7), false);
    auto refused = [](std::string bytes) {
        MemoryStream stream(std::move(bytes));
        return read_bmp_565(stream) == nullptr;
    };
    EXPECT_FALSE(refused(good));
    EXPECT_TRUE(refused(good.substr(0, 40)));              // cut inside the header
    EXPECT_TRUE(refused(good.substr(0, good.size() - 9))); // a row short
    std::string wrong_magic = good;
    wrong_magic[0] = 'X';
    EXPECT_TRUE(refused(wrong_magic));
    // Headers asking for more pixels than the file holds, or absurd sizes, are refused
    // before anything is allocated.
    auto with_field = [&](size_t offset, uint32_t value) {
        std::string bytes = good;
        patch_le(bytes, offset, value, 4);
        return bytes;
    };
    EXPECT_TRUE(refused(with_field(18, 4000)));        // width
    EXPECT_TRUE(refused(with_field(22, 0x7FFFFFFF)));  // height
    EXPECT_TRUE(refused(with_field(22, 0x80000000)));  // most negative height
    EXPECT_TRUE(refused(with_field(22, 0)));
    EXPECT_TRUE(refused(with_field(18, 0xFFFFFFFF)));  // negative width
    EXPECT_TRUE(refused(with_field(10, 20)));          // pixel data inside the header
    EXPECT_TRUE(refused(with_field(10, 0xFFFFFF00)));  // pixel data past the end
}

TEST(DecodeImage, PngRoundTripThroughTheWriter)
{
    TemporaryFolder folder;
    RenderSurface surface(Size{7, 5});
    paint_pattern(surface, [](int32_t x, int32_t y) { return static_cast<Pixel>(x * 0x1111 + y * 0x0841); });
    ASSERT_TRUE(write_png(surface, folder.file("sheet.png")));
    FileStream file(utf8_to_utf16(folder.file("sheet.png")), FileStream::READ);
    std::unique_ptr<PixelBuffer> decoded = decode_image(file);
    ASSERT_NE(decoded, nullptr);
    ASSERT_EQ(decoded->size(), (Size{7, 5}));
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 7; ++x)
            ASSERT_EQ(decoded->row(y)[x], surface.pixel({x, y}));
    EXPECT_FALSE(write_png(RenderSurface(), folder.file("empty.png")));
}

TEST(DecodeImage, JpegTileFromAZipMember)
{
    TemporaryFolder folder;
    const std::string tile = jpeg_of(64, 48, [](int32_t x, int32_t y) {
        return y < 24 ? 0xFF0000u : (x < 32 ? 0x0000FFu : 0xFFFFFFu);
    });
    write_file(folder.file("map.zip"), stored_zip({{"readme.txt", "tiles", false, ""}, {"0_0.jpg", tile, false, ""}}));
    ZipReader zip(utf8_to_utf16(folder.file("map.zip")));
    ASSERT_TRUE(zip.find(u"0_0.jpg"));
    std::unique_ptr<PixelBuffer> decoded = decode_image(zip);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->size(), (Size{64, 48}));
    auto near = [](Pixel p, int r, int g, int b) {
        return std::abs(red_of(p) - r) < 24 && std::abs(green_of(p) - g) < 24 && std::abs(blue_of(p) - b) < 24;
    };
    EXPECT_TRUE(near(decoded->row(8)[8], 255, 0, 0));
    EXPECT_TRUE(near(decoded->row(40)[8], 0, 0, 255));
    EXPECT_TRUE(near(decoded->row(40)[56], 255, 255, 255));
}

TEST(DecodeImage, DamagedImagesGiveNothingAndALogLine)
{
    LogCapture capture;
    const std::string tile = jpeg_of(32, 32, [](int32_t x, int32_t y) { return static_cast<uint32_t>(x * 8 << 8 | y * 8); });
    RenderSurface surface(Size{16, 16});
    fill(surface, 0x1234);
    TemporaryFolder folder;
    ASSERT_TRUE(write_png(surface, folder.file("plain.png")));
    const std::string png = read_file(folder.file("plain.png"));

    auto decodes = [](std::string bytes) {
        MemoryStream stream(std::move(bytes));
        return decode_image(stream) != nullptr;
    };
    EXPECT_TRUE(decodes(tile));
    EXPECT_TRUE(decodes(png));
    EXPECT_FALSE(decodes(tile.substr(0, tile.size() / 2)));
    EXPECT_FALSE(decodes(png.substr(0, png.size() / 2)));
    EXPECT_FALSE(decodes(tile.substr(0, 3)));
    EXPECT_FALSE(decodes(png.substr(0, 8)));
    EXPECT_FALSE(decodes(""));
    EXPECT_FALSE(decodes("GIF89a........"));
    std::string scrambled = tile;
    for (size_t i = 200; i < scrambled.size(); i += 7)
        scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
    decodes(scrambled); // may or may not decode; it must not crash
    std::string bad_crc = png;
    bad_crc[20] = static_cast<char>(bad_crc[20] ^ 1); // inside the header chunk
    EXPECT_FALSE(decodes(bad_crc));
    // An absurd size in the PNG header.
    std::string huge = png;
    huge[16] = 0x7F;
    EXPECT_FALSE(decodes(huge));
    EXPECT_NE(capture.text().find("decode_image: "), std::string::npos);
}

TEST(DecodeImage, MutatedFilesNeverCrash)
{
    LogCapture capture; // keeps the failure lines out of the user's log
    RenderSurface surface(Size{20, 12});
    paint_pattern(surface, [](int32_t x, int32_t y) { return static_cast<Pixel>(x * 3000 + y * 77); });
    TemporaryFolder folder;
    ASSERT_TRUE(write_png(surface, folder.file("p.png")));
    const std::string originals[] = {
        read_file(folder.file("p.png")),
        jpeg_of(24, 16, [](int32_t x, int32_t y) { return static_cast<uint32_t>(x * 0x0A0B0C + y * 0x030201); }),
        bmp_565(5, 4, std::vector<uint16_t>(20, 0x1234), false)};
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (const std::string& original : originals) {
        for (int round = 0; round < 150; ++round) {
            std::string bytes = original;
            const int changes = 1 + static_cast<int>(next() % 4);
            for (int c = 0; c < changes; ++c)
                bytes[next() % bytes.size()] = static_cast<char>(next());
            if (round % 5 == 0)
                bytes.resize(next() % bytes.size());
            MemoryStream image(bytes);
            if (std::unique_ptr<PixelBuffer> decoded = decode_image(image)) {
                EXPECT_GT(decoded->width(), 0);
            }
            MemoryStream bitmap(bytes);
            if (std::unique_ptr<PixelBuffer> read = read_bmp_565(bitmap)) {
                EXPECT_GT(read->width(), 0);
            }
        }
    }
}

} // namespace stellaro
