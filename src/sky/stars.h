#pragma once
#include "astro/body_position_cache.h"
#include "astro/solar_system.h"
#include "catalog/sky_catalog.h"
#include "fonts/font_handle.h"
#include "skin/elements/drag_tracker.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/surface/picture.h"
#include "sky/sky_view.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace stellaro {

class Stopwatch;

// What a sky object is; having nothing selected is told by a kind of its own.
enum class SkyKind : uint8_t { nothing, star, body, constellation };

// Told about the gestures on the sky (the main screen).
class StarsListener {
public:
    virtual ~StarsListener() = default;
    virtual void drag_started() = 0;
    // A press and release within the tap square; the event is the release.
    virtual void tapped(const PointerEvent& event) = 0;
};

// A star by its catalogue number, a body by its number or a constellation by its index in the
// catalogue; a negative index is no object.
struct SkyObject {
    SkyKind kind = SkyKind::nothing;
    int32_t index = -1;

    static SkyObject of(Body body) { return {SkyKind::body, static_cast<int32_t>(body_index(body))}; }
    friend bool operator==(SkyObject, SkyObject) = default;
};

struct SelectedPoint {
    bool found = false;
    Point point;
    std::u16string name;
};

// One solar-system body as the sky shows it: its position interpolated between two whole days.
struct SkyBody {
    BodyPosition position;
    FixedVector direction_fixed;
    bool known = false;
    std::u16string name;
    PictureRef picture;
    int32_t frames = 1;
    PictureRef label;
};

using NameIndex = std::vector<std::pair<std::u16string, int32_t>>;

// What the per-frame loops need of a star, packed by grid cell so that the stars of the cells
// off screen cost nothing and those on screen are read from a few cache lines.
struct CellStar {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    int32_t id = 0;
    int32_t magnitude = 0;
    StarColour colour;
};

// The sky view: the stars, constellations and bodies for the document's place and moment,
// turned and zoomed by dragging, following a selected object.
class Stars : public Element {
public:
    static constexpr const char16_t* KIND = u"stars";
    // Registers the element kind unless it is registered already; held for as long as the
    // skin's elements are made.
    static std::unique_ptr<NodeRegistration> register_kind();
    static constexpr int32_t STAR_CLASSES = 8;
    static constexpr int32_t AZIMUTH_MARKS = 24;
    static constexpr int32_t ALTITUDE_MARKS = 19;
    static constexpr int32_t ECLIPTIC_POINTS = 24;
    // New label pictures made per frame, so that a zoom-in spreads the text work.
    static constexpr int32_t LABELS_PER_FRAME = 2;
    // While nothing moves, the sky is drawn again this often for the twinkle (and the turning
    // sky of a followed clock): often enough to see the stars sparkle, seldom enough that a
    // window at rest costs next to nothing.
    static constexpr double TWINKLE_SECONDS = 0.25;

    // Loads the catalogue and the constellations from data_folder (path macros allowed); the
    // body pictures are read from its "skins/bin" folder when the skin is loaded.
    explicit Stars(Element* owner = nullptr, std::u16string data_folder = u"%app_path%");
    ~Stars() override;

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void update(double elapsed) override;
    void paint(RenderSurface& surface, Point origin) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_pointer_button(const PointerEvent& event) override;
    bool on_key(const KeyEvent& event) override;
    bool on_text(std::u16string_view text) override;

    void select(SkyObject object);
    void zoom_by(double pixels);
    // The visible object whose projection is closest to the point (element coordinates).
    SkyObject nearest_object(Point point);
    SelectedPoint selected_object_point(SkyObject object) const;

    void set_listener(StarsListener* new_listener) { listener = new_listener; }
    SkyObject selection() const { return selected; }
    double clock() const { return clock_; }
    SkyView& view() { return view_; }
    const SkyView& view() const { return view_; }
    // Rebuilds the matrices for the current size and moment without moving the view.
    void refresh_projection();

    const NameIndex& star_names() const { return star_names_; }
    const NameIndex& constellation_names() const { return constellation_names_; }
    const NameIndex& planet_names() const { return planet_names_; }
    const SkyCatalog& catalog() const { return sky; }
    // What loading the catalogue and the constellations found.
    const SkyCatalogLoad& catalog_load() const { return catalog_load_; }
    // The body pictures that did not load at the last skin load: file and what was wrong.
    const std::vector<std::pair<std::string, std::string>>& picture_problems() const { return picture_problems_; }
    // Names and twinkle phases may be changed through it; positions, magnitudes and colours
    // were packed for drawing at construction.
    SkyCatalog& catalog() { return sky; }
    const std::array<SkyBody, BODY_COUNT>& bodies() const { return bodies_; }
    // Positions every body for the moment at once, whatever the per-frame budget.
    void settle_bodies();
    int32_t labels_made_this_frame() const { return labels_this_frame; }
    // Nothing is left to appear or to move: the last paint made no label, every shown body has
    // its position and a selected object has been reached.
    bool settled() const;

private:
    void load_resources(Properties& properties, const SkinBlock* block);
    void load_bodies(Properties& properties);
    // Logs its steps with the stopwatch of the skin loading.
    void build_name_indexes(const Properties& properties, Stopwatch& stopwatch);
    const ObserverTime& observer() const;
    bool night() const;
    std::optional<SkyTarget> selection_target();
    // Fetches the days around the moment and interpolates; false while the cache lacks them.
    bool place_body(Body body, int& budget);
    PictureRef make_label(std::u16string_view text, Colour colour);
    bool may_make_label() const { return labels_this_frame < LABELS_PER_FRAME; }
    void mark_grid();
    // Copies what the per-frame loops read of the stars and figures into compact arrays.
    void pack_for_drawing();
    bool cell_on_screen(int row, int column) const;

    void paint_background(RenderSurface& surface, Point origin);
    void paint_grid(RenderSurface& surface, Point origin);
    void paint_horizon(RenderSurface& surface, Point origin);
    void paint_ecliptic(RenderSurface& surface, Point origin);
    void paint_altitude_scale(RenderSurface& surface, Point origin);
    void paint_constellations(RenderSurface& surface, Point origin);
    void paint_stars(RenderSurface& surface, Point origin);
    void paint_bodies(RenderSurface& surface, Point origin);
    void paint_body(RenderSurface& surface, Point origin, Body body, const FixedVector& at);

    std::u16string data_folder;
    SkyObject selected;
    StarsListener* listener = nullptr;
    SkyView view_;
    double clock_ = 0.0;
    // The clock at the last update that had the sky drawn.
    double drawn_clock = 0.0;
    DragTracker tracker;

    Colour grid_color, star_color, planet_color, const_name_color, const_color, compass_mark_color, hor_color;
    FontHandle font;
    PictureRef background;
    std::array<PictureRef, STAR_CLASSES> star_sprites;
    int32_t size_factor = 1;

    std::array<FixedVector, ALTITUDE_MARKS> altitude_marks{};
    std::array<PictureRef, ALTITUDE_MARKS> altitude_labels;
    std::array<FixedVector, AZIMUTH_MARKS> azimuth_marks{};
    std::array<PictureRef, AZIMUTH_MARKS> azimuth_labels;
    std::array<FixedVector, ECLIPTIC_POINTS> ecliptic{};

    NameIndex star_names_;
    NameIndex constellation_names_;
    NameIndex planet_names_;

    SkyCatalog sky;
    SkyCatalogLoad catalog_load_;
    std::vector<std::pair<std::string, std::string>> picture_problems_;
    std::vector<std::vector<CellStar>> cell_stars; // by grid cell, as the grid lists them
    // Each constellation's figure as star directions; w = 0 lifts the pen.
    std::vector<std::vector<FixedVector>> figures;
    std::vector<PictureRef> star_labels;          // by catalogue number
    std::vector<PictureRef> constellation_labels; // by constellation index
    std::array<SkyBody, BODY_COUNT> bodies_;
    BodyPositionCache positions;
    int32_t labels_this_frame = 0;
};

} // namespace stellaro
