#include "skin/kinds/big_picture.h"

#include "fonts/font_handle.h"
#include "skin/io/log.h"
#include "skin/surface/draw_text.h"
#include "skin/surface/span_filler.h"
#include "skin/surface/span_painter.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

// Zoom animation, levels per second.
constexpr double ZOOM_SPEED = 5.0;
// Fraction of the remaining way a move animation covers per second (as a rate).
constexpr double MOVE_RATE = 8.0;
// Slots kept beyond those of the visible tiles, so that tiles of other levels stay at hand.
constexpr size_t SPARE_SLOTS = 16;
constexpr int32_t FRESH_LEVEL = -100;
// A dragging finger held this long counts as at rest.
constexpr double STILL_S = 0.1;

} // namespace

// One cached tile: which tile it holds, when it was last used, its pixels.
struct BigPicture::Slot {
    int32_t level = FRESH_LEVEL;
    int32_t column = -1;
    int32_t row = -1;
    int32_t stamp = 0;
    RenderSurface surface;
    bool pending = false;
    bool loaded = false;
};

BigPicture::BigPicture(Element* owner) : Element(owner) { setup(64, 64, 64, 64, 0.0); }

BigPicture::~BigPicture() = default;

void BigPicture::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    empty_color = properties.get_color(block, u"empty_color", {0, 0, 0, 255});
    empty_font = properties.get_font(block, u"empty_font", FontHandle());
    empty_text = properties.translate(properties.get_string(block, u"empty_text", u"loading"));
}

void BigPicture::setup(int32_t full_width, int32_t full_height, int32_t tile_width, int32_t tile_height, double zoom)
{
    std::lock_guard guard(lock);
    full_w = std::max(1, full_width);
    full_h = std::max(1, full_height);
    tile_w = std::max(1, tile_width);
    tile_h = std::max(1, tile_height);
    max_level_ = 0;
    while ((int64_t{tile_w} << max_level_) < full_w || (int64_t{tile_h} << max_level_) < full_h)
        ++max_level_;
    min_zoom_ = 0.0;
    max_zoom_ = max_level_;
    zoom_ = std::clamp(zoom, min_zoom_, max_zoom_);
    zoom_target_ = zoom_;
    slots.clear();
    cache_level = FRESH_LEVEL;
    request_repaint();
}

void BigPicture::set_zoom_range(double min_zoom, double max_zoom)
{
    min_zoom_ = std::clamp(min_zoom, 0.0, static_cast<double>(max_level_));
    max_zoom_ = std::clamp(max_zoom, min_zoom_, static_cast<double>(max_level_));
    set_zoom(zoom_);
}

void BigPicture::set_zoom(double level)
{
    zoom_ = std::clamp(level, min_zoom_, max_zoom_);
    zoom_target_ = zoom_;
    request_repaint();
}

void BigPicture::zoom_to(double level)
{
    zoom_target_ = std::clamp(level, min_zoom_, max_zoom_);
    if (zoom_target_ != zoom_)
        request_frame_after(0.0);
}

void BigPicture::tile_loaded(int32_t level, int32_t column, int32_t row, std::unique_ptr<PixelBuffer> pixels)
{
    if (!pixels)
        return;
    {
        std::lock_guard guard(lock);
        Slot* slot = find_slot(level, column, row);
        if (!slot || !slot->pending)
            return;
        slot->surface.adopt(pixels);
        slot->pending = false;
        slot->loaded = true;
    }
    request_repaint();
}

bool BigPicture::tile_wanted(int32_t level, int32_t column, int32_t row, int64_t& distance2) const
{
    std::lock_guard guard(lock);
    const Slot* slot = find_slot(level, column, row);
    if (!slot || !slot->pending)
        return false;
    const double to_level = std::ldexp(1.0, level - max_level_);
    const double dx = std::floor((column + 0.5) * tile_w - wanted_center_x * to_level);
    const double dy = std::floor((row + 0.5) * tile_h - wanted_center_y * to_level);
    distance2 = static_cast<int64_t>(dx * dx + dy * dy);
    return true;
}

void BigPicture::set_center(double x, double y)
{
    animating = false;
    move_center(x, y);
    target_x = center_x_;
    target_y = center_y_;
}

void BigPicture::animate_to(double x, double y)
{
    target_x = std::clamp(x, 0.0, static_cast<double>(full_w));
    target_y = std::clamp(y, 0.0, static_cast<double>(full_h));
    animating = true;
    velocity_x = velocity_y = 0.0;
    request_frame_after(0.0);
}

void BigPicture::move_center(double x, double y)
{
    center_x_ = x;
    center_y_ = y;
    clamp_center();
    {
        std::lock_guard guard(lock);
        wanted_center_x = center_x_;
        wanted_center_y = center_y_;
    }
    request_repaint();
    if (listener_)
        listener_->view_moved(center_x_, center_y_);
}

void BigPicture::clamp_center()
{
    center_x_ = std::clamp(center_x_, 0.0, static_cast<double>(full_w));
    center_y_ = std::clamp(center_y_, 0.0, static_cast<double>(full_h));
}

bool BigPicture::moving_fast() const
{
    if (dragging)
        return drag_still_s < STILL_S && std::hypot(tracker.velocity_x(), tracker.velocity_y()) > FAST_PAN_PX_S;
    const double speed = std::hypot(velocity_x, velocity_y);
    return speed > FAST_PAN_PX_S;
}

double BigPicture::scale() const { return std::exp2(zoom_ - max_level_); }

int32_t BigPicture::paint_level() const
{
    return std::clamp(static_cast<int32_t>(std::ceil(zoom_ - 1e-9)), 0, max_level_);
}

void BigPicture::screen_to_picture(Point point, double& px, double& py) const
{
    const double f = 1.0 / scale();
    px = (point.x - x() - width() / 2.0) * f + center_x_;
    py = (point.y - y() - height() / 2.0) * f + center_y_;
}

Point BigPicture::picture_to_screen(double px, double py) const
{
    const double f = scale();
    return {x() + static_cast<int32_t>(std::lround(width() / 2.0 + (px - center_x_) * f)),
            y() + static_cast<int32_t>(std::lround(height() / 2.0 + (py - center_y_) * f))};
}

std::vector<BigPicture::Placement> BigPicture::visible_tiles(int32_t level, Point origin) const
{
    std::vector<Placement> tiles;
    const double f = scale();
    const int64_t span_x = int64_t{tile_w} << (max_level_ - level);
    const int64_t span_y = int64_t{tile_h} << (max_level_ - level);
    const auto columns = static_cast<int32_t>((full_w + span_x - 1) / span_x);
    const auto rows = static_cast<int32_t>((full_h + span_y - 1) / span_y);
    const double left = center_x_ - width() / 2.0 / f;
    const double top = center_y_ - height() / 2.0 / f;
    const double right = center_x_ + width() / 2.0 / f;
    const double bottom = center_y_ + height() / 2.0 / f;
    const int32_t c0 = std::max(0, static_cast<int32_t>(std::floor(left / span_x)));
    const int32_t c1 = std::min(columns - 1, static_cast<int32_t>(std::floor(right / span_x)));
    const int32_t r0 = std::max(0, static_cast<int32_t>(std::floor(top / span_y)));
    const int32_t r1 = std::min(rows - 1, static_cast<int32_t>(std::floor(bottom / span_y)));
    const auto screen = [&](double picture, double center, int32_t half) {
        return static_cast<int32_t>(std::lround(half / 2.0 + (picture - center) * f));
    };
    for (int32_t row = r0; row <= r1; ++row)
        for (int32_t column = c0; column <= c1; ++column) {
            const int32_t sx = screen(static_cast<double>(column * span_x), center_x_, width());
            const int32_t sy = screen(static_cast<double>(row * span_y), center_y_, height());
            const int32_t ex = screen(static_cast<double>((column + 1) * span_x), center_x_, width());
            const int32_t ey = screen(static_cast<double>((row + 1) * span_y), center_y_, height());
            tiles.push_back({column, row, {origin.x + sx, origin.y + sy}, {ex - sx, ey - sy}});
        }
    return tiles;
}

BigPicture::Slot* BigPicture::find_slot(int32_t level, int32_t column, int32_t row) const
{
    for (const auto& slot : slots)
        if (slot->level == level && slot->column == column && slot->row == row)
            return slot.get();
    return nullptr;
}

void BigPicture::fill_placeholder(Slot& slot)
{
    slot.surface.recreate({tile_w, tile_h});
    slot.surface.apply({0, 0}, {tile_w, tile_h}, SolidFiller(empty_color));
    draw_text(empty_font, slot.surface, {0, 0, 0, 255}, empty_text, {0, 0}, {tile_w, tile_h}, HALIGN_CENTER,
              VALIGN_VCENTER, false);
}

void BigPicture::refresh_cache(int32_t level, const std::vector<Placement>& tiles, size_t capacity,
                               std::vector<Placement>& requests)
{
    const bool restricted = moving_fast();
    for (const Placement& tile : tiles) {
        if (Slot* slot = find_slot(level, tile.column, tile.row)) {
            slot->stamp = stamp;
            continue;
        }
        if (restricted)
            continue;
        Slot* reused = nullptr;
        if (slots.size() < capacity) {
            slots.push_back(std::make_unique<Slot>());
            reused = slots.back().get();
        } else {
            for (const auto& slot : slots)
                if (slot->stamp < stamp && (!reused || slot->stamp < reused->stamp))
                    reused = slot.get();
        }
        if (!reused)
            continue;
        fill_placeholder(*reused);
        reused->pending = true;
        reused->loaded = false;
        reused->level = level;
        reused->column = tile.column;
        reused->row = tile.row;
        reused->stamp = stamp;
        requests.push_back(tile);
    }
}

bool BigPicture::draw_from_other_level(RenderSurface& surface, int32_t level, const Placement& tile)
{
    const SpanPainter& copy = plain_copy_painter();
    for (int32_t d = 1; d <= level; ++d) {
        Slot* coarse = find_slot(level - d, tile.column >> d, tile.row >> d);
        if (!coarse || !coarse->loaded)
            continue;
        coarse->stamp = stamp;
        const int32_t part = (1 << d) - 1;
        const Size part_size{std::max(1, tile_w >> d), std::max(1, tile_h >> d)};
        const Point part_origin{(tile.column & part) * tile_w >> d, (tile.row & part) * tile_h >> d};
        surface.draw_scaled(coarse->surface, part_origin, part_size, tile.at, tile.size, copy);
        return true;
    }
    // A finer level: its four quarters, as far as they are loaded.
    bool drawn = false;
    for (int32_t q = 0; q < 4 && level < max_level_; ++q) {
        Slot* fine = find_slot(level + 1, tile.column * 2 + (q & 1), tile.row * 2 + (q >> 1));
        if (!fine || !fine->loaded)
            continue;
        fine->stamp = stamp;
        const int32_t x0 = tile.size.width * (q & 1) / 2;
        const int32_t y0 = tile.size.height * (q >> 1) / 2;
        const int32_t x1 = tile.size.width * ((q & 1) + 1) / 2;
        const int32_t y1 = tile.size.height * ((q >> 1) + 1) / 2;
        if (!drawn)
            surface.apply(tile.at, tile.size, SolidFiller(empty_color));
        surface.draw_scaled(fine->surface, {tile.at.x + x0, tile.at.y + y0}, {x1 - x0, y1 - y0}, copy);
        drawn = true;
    }
    return drawn;
}

void BigPicture::paint(RenderSurface& surface, Point origin)
{
    surface.apply(origin, {width(), height()}, SolidFiller(empty_color));
    const int32_t level = paint_level();
    const std::vector<Placement> tiles = visible_tiles(level, origin);
    std::vector<Placement> whole;
    const int64_t coarsest_x = int64_t{tile_w} << max_level_;
    const int64_t coarsest_y = int64_t{tile_h} << max_level_;
    for (int32_t row = 0; row < (full_h + coarsest_y - 1) / coarsest_y; ++row)
        for (int32_t column = 0; column < (full_w + coarsest_x - 1) / coarsest_x; ++column)
            whole.push_back({column, row, {}, {}});
    std::vector<Placement> first_requests;
    std::vector<Placement> requests;
    bool waiting = false;
    {
        std::lock_guard guard(lock);
        ++stamp;
        wanted_center_x = center_x_;
        wanted_center_y = center_y_;
        if (level != cache_level) {
            log() << "Refresh cache\n";
            cache_level = level;
        }
        const size_t capacity = 2 * tiles.size() + SPARE_SLOTS + whole.size();
        // The coarsest level is always kept (and asked for first): whatever else is missing is
        // drawn from it, so that no frame is ever blank.
        refresh_cache(0, whole, capacity, first_requests);
        refresh_cache(level, tiles, capacity, requests);
        // Nothing is drawn past the picture's own edges (a coarse tile holds more than the picture).
        const Point top_left = picture_to_screen(0.0, 0.0);
        const Point bottom_right = picture_to_screen(full_w, full_h);
        ClipScope clip(surface, {origin.x - x() + top_left.x, origin.y - y() + top_left.y},
                       {bottom_right.x - top_left.x, bottom_right.y - top_left.y});
        ClipScope inside(surface, origin, {width(), height()});
        const SpanPainter& copy = plain_copy_painter();
        for (const Placement& tile : tiles) {
            Slot* slot = find_slot(level, tile.column, tile.row);
            if (slot && slot->loaded) {
                if (tile.size == Size{tile_w, tile_h})
                    surface.draw(slot->surface, tile.at, copy);
                else
                    surface.draw_scaled(slot->surface, tile.at, tile.size, copy);
                continue;
            }
            waiting = waiting || !slot || slot->pending;
            if (!draw_from_other_level(surface, level, tile) && slot)
                surface.draw_scaled(slot->surface, tile.at, tile.size, copy);
        }
    }
    // Nearest the view centre first, so that the middle of the screen fills in first.
    const auto distance = [&](const Placement& tile) {
        const int64_t dx = tile.at.x + tile.size.width / 2 - (origin.x + width() / 2);
        const int64_t dy = tile.at.y + tile.size.height / 2 - (origin.y + height() / 2);
        return dx * dx + dy * dy;
    };
    std::stable_sort(requests.begin(), requests.end(),
                     [&](const Placement& a, const Placement& b) { return distance(a) < distance(b); });
    if (provider_) {
        for (const Placement& tile : first_requests)
            provider_->request_tile(0, tile.column, tile.row);
        for (const Placement& tile : requests)
            provider_->request_tile(level, tile.column, tile.row);
    }
    // Tiles skipped while the view moved fast are asked for once it slows.
    skipped_tiles = waiting && moving_fast();
    if (skipped_tiles)
        request_frame_after(STILL_S);
    Element::paint(surface, origin);
}

void BigPicture::update(double elapsed)
{
    Element::update(elapsed);
    drag_still_s += elapsed;
    if (skipped_tiles && !moving_fast()) {
        skipped_tiles = false;
        request_repaint();
    }
    if (zoom_ != zoom_target_) {
        const double step = ZOOM_SPEED * elapsed;
        zoom_ = std::abs(zoom_target_ - zoom_) <= step ? zoom_target_ : zoom_ + std::copysign(step, zoom_target_ - zoom_);
        request_repaint();
        if (listener_)
            listener_->view_moved(center_x_, center_y_);
    }
    if (animating) {
        const double k = std::min(1.0, MOVE_RATE * elapsed);
        double nx = center_x_ + (target_x - center_x_) * k;
        double ny = center_y_ + (target_y - center_y_) * k;
        if (std::hypot(target_x - nx, target_y - ny) * scale() < 0.5) {
            nx = target_x;
            ny = target_y;
            animating = false;
        }
        move_center(nx, ny);
    } else if (!dragging && (velocity_x != 0.0 || velocity_y != 0.0)) {
        const double speed = std::hypot(velocity_x, velocity_y);
        const double slower = std::max(0.0, speed - (2.0 * speed + 9.0) * elapsed);
        const double f = 1.0 / scale();
        const double vx = velocity_x;
        const double vy = velocity_y;
        velocity_x = slower == 0.0 ? 0.0 : vx * slower / speed;
        velocity_y = slower == 0.0 ? 0.0 : vy * slower / speed;
        move_center(center_x_ + vx * elapsed * f, center_y_ + vy * elapsed * f);
    }
    if (in_motion())
        request_frame_after(0.0);
}

void BigPicture::on_pointer_move(const PointerEvent& event)
{
    if (!tracker.pressed())
        return;
    tracker.on_move(event);
    if (!tracker.dragging())
        return;
    drag_still_s = 0.0;
    const double f = 1.0 / scale();
    move_center(center_x_ - (event.x - last_move.x) * f, center_y_ - (event.y - last_move.y) * f);
    last_move = event;
}

bool BigPicture::on_pointer_button(const PointerEvent& event)
{
    tracker.on_button(event);
    if (event.down) {
        dragging = true;
        drag_still_s = 0.0;
        animating = false;
        velocity_x = velocity_y = 0.0;
        last_move = event;
        return true;
    }
    const bool was_drag = tracker.dragging();
    dragging = false;
    if (!event.cancelled && !was_drag && listener_)
        listener_->tapped(event);
    if (was_drag) {
        double vx = tracker.velocity_x();
        double vy = tracker.velocity_y();
        // Never carry the view further past an edge it has already reached.
        if ((center_x_ <= 0.0 && vx < 0.0) || (center_x_ >= full_w && vx > 0.0))
            vx = 0.0;
        if ((center_y_ <= 0.0 && vy < 0.0) || (center_y_ >= full_h && vy > 0.0))
            vy = 0.0;
        const double speed = std::hypot(vx, vy);
        const double limited = std::min(speed, MAX_SPEED_PX_S);
        velocity_x = speed > 0.0 ? vx * limited / speed : 0.0;
        velocity_y = speed > 0.0 ? vy * limited / speed : 0.0;
        if (speed > 0.0)
            request_frame_after(0.0);
    }
    request_repaint();
    return true;
}

} // namespace stellaro
