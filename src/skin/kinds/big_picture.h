#pragma once
#include "skin/elements/drag_tracker.h"
#include "skin/elements/element.h"
#include "fonts/font_handle.h"
#include "skin/surface/pixel_buffer.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace stellaro {

// Delivers the tiles a BigPicture asks for, usually from a worker thread; hands each back with
// BigPicture::tile_loaded.
class TileProvider {
public:
    virtual ~TileProvider() = default;
    // The picture wants this tile (level, column, row); called on the interface thread, never
    // while the picture's lock is held.
    virtual void request_tile(int32_t level, int32_t column, int32_t row) = 0;
};

// Told what the user does with a BigPicture.
class BigPictureListener {
public:
    virtual ~BigPictureListener() = default;
    // The view centre moved (finest-level pixels): by a drag, inertia or a move animation.
    virtual void view_moved(double center_x, double center_y) = 0;
    // A press and release that never became a drag.
    virtual void tapped(const PointerEvent& event) = 0;
};

// A picture far larger than memory allows, shown as square tiles at power-of-two zoom levels:
// level L shows the picture scaled by 1 / 2^(max_level - L). A small cache of tile surfaces
// around the view is reused least recently used first; tiles still loading are drawn from a
// loaded tile of a coarser level (magnified) or a finer one (reduced), else as a placeholder.
// The user pans by dragging, with inertia. The picture lies under its screen's controls, so it is
// no input child: the screen hands it the pointer its controls did not take. The slots are guarded by a lock, so that a provider
// thread may call tile_wanted and tile_loaded.
class BigPicture : public Element {
public:
    static constexpr const char16_t* KIND = u"bigpicture";
    // Inertia never starts faster than this (screen pixels per second).
    static constexpr double MAX_SPEED_PX_S = 2000.0;
    // Above this speed no slot is reused and no tile requested: the view would leave them.
    static constexpr double FAST_PAN_PX_S = 600.0;

    explicit BigPicture(Element* owner = nullptr);
    ~BigPicture() override;

    // Reads "empty_color", "empty_font" and "empty_text" (translated) after the common properties.
    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    // The picture's finest-level size, its tile size and the initial zoom; empties the cache.
    void setup(int32_t full_width, int32_t full_height, int32_t tile_width, int32_t tile_height, double zoom);
    // The zoom never leaves [min_zoom, max_zoom] (levels); by default all levels of the picture.
    void set_zoom_range(double min_zoom, double max_zoom);
    void set_provider(TileProvider* provider) { provider_ = provider; }
    void set_listener(BigPictureListener* listener) { listener_ = listener; }

    // Hands over a tile; taken when a slot still waits for it, else dropped. Any thread.
    void tile_loaded(int32_t level, int32_t column, int32_t row, std::unique_ptr<PixelBuffer> pixels);
    // Whether a slot still waits for the tile, and its squared distance (tile-level pixels)
    // from the view centre, so that a provider loads the nearest first. Any thread.
    bool tile_wanted(int32_t level, int32_t column, int32_t row, int64_t& distance2) const;

    // Centres the view at once (finest-level pixels); ends a move animation.
    void set_center(double x, double y);
    // Moves the view centre there smoothly.
    void animate_to(double x, double y);
    // Sets the zoom at once, clamped to the zoom range.
    void set_zoom(double level);
    // Zooms there smoothly (clamped to the zoom range).
    void zoom_to(double level);
    double zoom() const { return zoom_; }
    // Where a running zoom change ends; the zoom itself at rest.
    double zoom_target() const { return zoom_target_; }
    double min_zoom() const { return min_zoom_; }
    double max_zoom() const { return max_zoom_; }
    int32_t max_level() const { return max_level_; }
    double center_x() const { return center_x_; }
    double center_y() const { return center_y_; }
    // Whether a zoom change, a move animation or inertia runs.
    bool in_motion() const { return zoom_ != zoom_target_ || animating || velocity_x != 0.0 || velocity_y != 0.0; }
    // Whether the view pans fast enough that tiles are not requested.
    bool moving_fast() const;

    // Screen point to finest-level picture pixels, and back (both in the element's parent space,
    // as its x() and y()).
    void screen_to_picture(Point point, double& px, double& py) const;
    Point picture_to_screen(double px, double py) const;

    void update(double elapsed) override;
    void paint(RenderSurface& surface, Point origin) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_pointer_button(const PointerEvent& event) override;

private:
    struct Slot;
    // One visible tile of the paint level and where it lands.
    struct Placement {
        int32_t column;
        int32_t row;
        Point at;
        Size size;
    };

    // Screen pixels per finest-level pixel at the current zoom.
    double scale() const;
    int32_t paint_level() const;
    // The visible tiles of the level, as drawn at the current view.
    std::vector<Placement> visible_tiles(int32_t level, Point origin) const;
    // Gives each tile of the level a slot, making slots up to the capacity and then reusing the
    // least recently used; adds the tiles to load to the requests. The lock is held.
    void refresh_cache(int32_t level, const std::vector<Placement>& tiles, size_t capacity,
                       std::vector<Placement>& requests);
    Slot* find_slot(int32_t level, int32_t column, int32_t row) const;
    // Draws the tile from a loaded slot of another level; false when there is none.
    bool draw_from_other_level(RenderSurface& surface, int32_t level, const Placement& tile);
    void fill_placeholder(Slot& slot);
    void move_center(double x, double y);
    // Keeps the centre on the picture.
    void clamp_center();

    mutable std::mutex lock;
    std::vector<std::unique_ptr<Slot>> slots;
    int32_t stamp = 0;
    int32_t cache_level = -100;
    // The view as the provider sees it, written under the lock by each paint.
    double wanted_center_x = 0.0;
    double wanted_center_y = 0.0;

    int32_t tile_w = 64;
    int32_t tile_h = 64;
    int32_t full_w = 64;
    int32_t full_h = 64;
    int32_t max_level_ = 0;
    double min_zoom_ = 0.0;
    double max_zoom_ = 0.0;
    double zoom_ = 0.0;
    double zoom_target_ = 0.0;
    double center_x_ = 0.0;
    double center_y_ = 0.0;
    double target_x = 0.0;
    double target_y = 0.0;
    bool animating = false;
    double velocity_x = 0.0; // screen pixels per second
    double velocity_y = 0.0;
    DragTracker tracker;
    bool dragging = false;
    // Seconds since the dragging finger last moved: a held finger is no fast pan.
    double drag_still_s = 0.0;
    // The last paint left tiles unasked for because the view moved fast.
    bool skipped_tiles = false;
    PointerEvent last_move;

    Colour empty_color{0, 0, 0, 255};
    FontHandle empty_font;
    std::u16string empty_text = u"loading";
    TileProvider* provider_ = nullptr;
    BigPictureListener* listener_ = nullptr;
};

} // namespace stellaro
