#include "skin/elements/animation_kinds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace stellaro {

namespace {

// Distance of the eye from the card, in card widths: far enough that the near edge grows only
// a little while turning.
constexpr double EYE_DISTANCE = 3.0;

} // namespace

void FlipAnimation::draw(RenderSurface& surface, Point origin)
{
    const Size card = to.has_buffer() ? to.size() : from.size();
    if (card.width < 1 || card.height < 1)
        return;
    const double turned = progress() * std::numbers::pi;
    const ClipScope clip(surface, origin, card);
    const Point centre = origin + Point{card.width / 2, card.height / 2};
    // The front shows the outgoing image until the card stands edge-on, then the back the
    // incoming one, seen from behind so that it ends upright at a full half-turn.
    if (turned < std::numbers::pi / 2)
        draw_face(surface, from, centre, turned, plain_copy_painter());
    else
        draw_face(surface, to, centre, turned - std::numbers::pi, to_painter());
}

void FlipAnimation::draw_face(RenderSurface& surface, const RenderSurface& face, Point centre, double angle,
                              const SpanPainter& painter)
{
    const PixelBuffer* image = face.buffer();
    if (!image)
        return;
    const int32_t width = image->width(), height = image->height();
    const double half_width = width / 2.0, half_height = height / 2.0;
    const double eye = EYE_DISTANCE * width;
    const double cosine = std::cos(angle), sine = std::sin(angle);
    if (cosine < 1e-3)
        return;

    // Columns: for each screen column the card column it shows (or -1) and how many source rows,
    // in 22.10 fixed point, one screen row steps over at that depth.
    const auto screen_x = [&](double x) { return x * cosine * eye / (eye + x * sine); };
    const auto first = static_cast<int32_t>(std::floor(screen_x(-half_width)));
    const auto last = static_cast<int32_t>(std::ceil(screen_x(half_width)));
    const int32_t span = last - first;
    if (span < 1)
        return;
    columns.assign(static_cast<size_t>(span), -1);
    row_steps.assign(static_cast<size_t>(span), 0);
    double tallest = 0;
    for (int32_t i = 0; i < span; ++i) {
        const double u = first + i + 0.5;
        const double x = u * eye / (eye * cosine - u * sine);
        if (x < -half_width || x >= half_width)
            continue;
        const double depth_scale = eye / (eye + x * sine);
        columns[static_cast<size_t>(i)] = std::clamp(static_cast<int32_t>(x + half_width), 0, width - 1);
        row_steps[static_cast<size_t>(i)] = static_cast<int32_t>(std::lround(1024 / depth_scale));
        tallest = std::max(tallest, half_height * depth_scale);
    }

    if (row.size().width < span)
        row.recreate(Size{span, 1});
    if (!row.has_buffer())
        return;
    Pixel* gathered = row.buffer()->row(0);
    const auto top = static_cast<int32_t>(std::floor(-tallest));
    const auto bottom = static_cast<int32_t>(std::ceil(tallest));
    const int64_t middle = static_cast<int64_t>(half_height * 1024);
    for (int32_t v = top; v < bottom; ++v) {
        // The covered columns of a row form one run, as the card's height changes steadily across it.
        int32_t run_start = -1, run_end = -1;
        for (int32_t i = 0; i < span; ++i) {
            const int32_t column = columns[static_cast<size_t>(i)];
            if (column < 0)
                continue;
            const int64_t y_fixed = middle + ((2 * int64_t{v} + 1) * row_steps[static_cast<size_t>(i)]) / 2;
            if (y_fixed < 0 || (y_fixed >> 10) >= height)
                continue;
            if (run_start < 0)
                run_start = i;
            run_end = i + 1;
            gathered[i] = image->row(static_cast<int32_t>(y_fixed >> 10))[column];
        }
        if (run_start >= 0)
            surface.draw(row, Point{run_start, 0}, Size{run_end - run_start, 1},
                         Point{centre.x + first + run_start, centre.y + v}, painter);
    }
}

} // namespace stellaro
