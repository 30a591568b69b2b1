#include "fonts/font_handle.h"
#include "skin/elements/animation.h"
#include "skin/surface/draw_text.h"
#include "skin/surface/picture.h"
#include "support/golden.h"
#include "surface/surface_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace stellaro {

namespace {

constexpr Size SHEET{480, 400};

// A 24 x 24 test card: opaque-flagged colour bands, partial (unflagged) dark pixels, a
// transparent-key hole in the middle.
RenderSurface test_card()
{
    RenderSurface card(Size{24, 24});
    paint_pattern(card, [](int32_t x, int32_t y) -> Pixel {
        if (x >= 8 && x < 16 && y >= 8 && y < 16)
            return TRANSPARENT_KEY;
        if (y < 8)
            return static_cast<Pixel>(rgb565(static_cast<uint8_t>(x * 10), 200, 40) | OPAQUE_FLAG);
        if (y >= 16)
            return static_cast<Pixel>(rgb565(40, static_cast<uint8_t>(x * 10), 220) | OPAQUE_FLAG);
        return static_cast<Pixel>(rgb565(static_cast<uint8_t>(y * 8), 0, 0) & ~OPAQUE_FLAG);
    });
    return card;
}

// A 12 x 12 frame picture: 4-pixel corners, a 4-pixel repeated middle with a notch pattern.
std::shared_ptr<Picture> frame_picture()
{
    std::unique_ptr<PixelBuffer> pixels = PixelBuffer::create(Size{12, 12});
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x < 12; ++x) {
            const bool edge = x == 0 || y == 0 || x == 11 || y == 11;
            const bool corner = (x < 4 || x >= 8) && (y < 4 || y >= 8);
            const bool notch = (x + y) % 4 == 0;
            pixels->row(y)[x] = edge ? rgb565(250, 250, 250)
                                : corner ? rgb565(200, 60, 60)
                                : notch ? rgb565(60, 60, 200)
                                        : rgb565(90, 90, 110);
        }
    return std::make_shared<Picture>(u"", std::move(pixels));
}

PictureRef frame_ref(int32_t scale)
{
    PictureRef ref;
    ref.picture = frame_picture();
    ref.scale = scale;
    ref.p1 = Point{4 << scale, 4 << scale};
    ref.p2 = Point{8 << scale, 8 << scale};
    ref.p3 = Point{12 << scale, 12 << scale};
    return ref;
}

void background(RenderSurface& sheet)
{
    paint_pattern(sheet, [](int32_t x, int32_t y) {
        return rgb565(static_cast<uint8_t>(x * 255 / SHEET.width), static_cast<uint8_t>(60 + y / 4),
                      static_cast<uint8_t>(255 - y * 255 / SHEET.height));
    });
}

void painter_row(RenderSurface& sheet)
{
    const RenderSurface card = test_card();
    const std::unique_ptr<SpanPainter> made[] = {
        tint_painter(256, 128, 64), reference_painter(add_half_painter()), tint_or_keep_painter(200, 200, 200),
        tint_or_painter(64, 64, 64), adjustable_add_painter(0x1C0), tinted_lighten_painter(40, 120, 250)};
    const SpanPainter* painters[] = {&colour_key_painter(), &add_quarter_painter(), &add_half_painter(),
                                     &add_three_quarters_painter(), &opaque_only_painter(), &change_mark_painter(),
                                     &plain_copy_painter(), &or_painter(), &lighten_painter(), made[0].get(),
                                     made[1].get(), made[2].get(), made[3].get(), made[4].get(), made[5].get()};
    int32_t x = 4;
    for (const SpanPainter* painter : painters) {
        sheet.draw(card, {x, 4}, *painter);
        x += 28;
    }
    // Scaled blits, one cut by a clip scope.
    sheet.draw_scaled(card, {4, 32}, {60, 36}, plain_copy_painter());
    {
        const ClipScope clip(sheet, {70, 32}, {40, 30});
        sheet.draw_scaled(card, {68, 28}, {48, 48}, colour_key_painter());
    }
    sheet.draw_scaled(card, {120, 32}, {12, 36}, add_half_painter());
}

void dimming_and_lines(RenderSurface& sheet)
{
    for (int32_t k = 0; k <= 16; ++k)
        sheet.apply({140 + k * 12, 32}, {12, 36}, *dim_filler(k * 16));
    const Point centre{400, 50};
    for (int32_t i = 0; i < 24; ++i) {
        const double a = i * 3.14159265358979 / 12;
        const Point end{centre.x + static_cast<int32_t>(std::lround(40 * std::cos(a))),
                        centre.y + static_cast<int32_t>(std::lround(40 * std::sin(a)))};
        sheet.draw_line(centre, end, Colour{static_cast<uint8_t>(i * 10), 255, static_cast<uint8_t>(255 - i * 10)});
    }
}

void nine_parts(RenderSurface& sheet)
{
    const PictureRef frame = frame_ref(0);
    frame.draw(sheet, {4, 76}, {120, 40}, plain_copy_painter());
    frame.draw(sheet, {130, 76}, {5, 5}, plain_copy_painter());
    frame.draw(sheet, {140, 76}, {30, 60}, plain_copy_painter());
    frame_ref(1).draw(sheet, {180, 76}, {24, 24}, plain_copy_painter());
    frame_ref(1).draw(sheet, {210, 76}, {100, 60}, plain_copy_painter());
    whole_picture(frame_picture()).draw(sheet, {320, 76}, {50, 30}, plain_copy_painter());
    const PictureRef night = make_picture(PixelBuffer::create(Size{12, 12}));
    RenderSurface copy(*night.picture->pixels());
    copy.draw(RenderSurface(*frame.picture->pixels()), {0, 0}, plain_copy_painter());
    night.picture->to_night();
    night.draw(sheet, {380, 76}, {60, 40}, plain_copy_painter());
}

void texts(RenderSurface& sheet)
{
    FontDesc desc = default_font_desc(1);
    desc.face = u"DejaVu Sans";
    desc.size = 11;
    const FontHandle font(desc);
    desc.bold = 1;
    desc.size = 13;
    const FontHandle bold(desc);
    desc.bold = 0;
    desc.italic = 1;
    desc.underline = 1;
    desc.size = 10;
    const FontHandle styled(desc);

    const Colour white{255, 255, 255}, yellow{255, 230, 90};
    sheet.apply({4, 142}, {472, 120}, SolidFiller(rgb565(20, 24, 40)));
    draw_text(font, sheet, white, u"Left: Sirius, Canopus, Arcturus", {8, 146}, {230, 18}, HALIGN_LEFT, VALIGN_TOP,
              false);
    draw_text(font, sheet, white, u"Κέντρο: Ωρίων, Λύρα", {8, 164}, {230, 18}, HALIGN_CENTER, VALIGN_VCENTER, false);
    draw_text(font, sheet, white, u"Справа: Большая Медведица", {8, 182}, {230, 18}, HALIGN_RIGHT, VALIGN_BOTTOM,
              false);
    draw_text(bold, sheet, yellow, u"Ellipsis: Alpha Centauri and Proxima", {8, 202}, {230, 20}, HALIGN_LEFT,
              VALIGN_VCENTER, false);
    draw_text(styled, sheet, white, u"Italic underlined, Cassiopeia", {8, 224}, {230, 18}, HALIGN_LEFT, VALIGN_TOP,
              false);
    draw_text(font, sheet, white,
              u"Wrapped: the Moon rises in the east, the planets follow the ecliptic, and the stars "
              u"turn about the pole through the night.",
              {244, 146}, {228, 68}, HALIGN_JUSTIFY, VALIGN_TOP, true);
    draw_text(font, sheet, yellow, u"Half outside on the left", {-60, 244}, {200, 18}, HALIGN_RIGHT, VALIGN_TOP,
              false);
    draw_text(font, sheet, white, u"ΑΒΓΔ АБВГД clipped", {244, 220}, {228, 40}, HALIGN_CENTER, VALIGN_VCENTER, true,
              {40, 0}, {120, 40});
}

void animation_frames(RenderSurface& sheet)
{
    auto frame = [](Pixel base) {
        RenderSurface image(Size{110, 120});
        paint_pattern(image, [base](int32_t x, int32_t y) {
            return static_cast<Pixel>(((x / 10 + y / 10) % 2) ? base : rgb565(240, 240, 240));
        });
        return image;
    };
    const char16_t* kinds[] = {u"flip", u"flip", u"right", u"pop"};
    const double progress[] = {0.3, 0.7, 0.4, 0.5};
    for (int i = 0; i < 4; ++i) {
        auto animation = VisibilityAnimation::parse(kinds[i]);
        RenderSurface from = frame(rgb565(200, 40, 40));
        RenderSurface to = frame(rgb565(40, 90, 220));
        animation->start(&from, Direction::SHOW, &to);
        animation->advance(progress[i] / (animation->speed() * 5));
        animation->draw(sheet, {4 + i * 118, 270});
    }
}

} // namespace

TEST(SampleSheet, MatchesItsGoldenImage)
{
    RenderSurface sheet(SHEET);
    background(sheet);
    painter_row(sheet);
    dimming_and_lines(sheet);
    nine_parts(sheet);
    texts(sheet);
    animation_frames(sheet);
    EXPECT_TRUE(matches_golden(picture_of(*sheet.buffer()), "sample_sheet.png"));
}

} // namespace stellaro
