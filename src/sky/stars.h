#pragma once
#include "astro/body_position_cache.h"
#include "astro/coordinates.h"
#include "astro/solar_system.h"
#include "catalog/sky_catalog.h"
#include "fonts/font_handle.h"
#include "skin/elements/drag_tracker.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/surface/picture.h"
#include "sky/label_placement.h"
#include "sky/moon_figure.h"
#include "sky/sky_curves.h"
#include "sky/sky_daylight.h"
#include "sky/sky_ground.h"
#include "sky/refraction_lift.h"
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
    BodyPosition position;   // seen from the observer's place: right ascension and declination of date
    HorizontalPosition horizontal; // where it is drawn: with refraction when that is on
    EquatorialVector drawn;        // where it is drawn, in the catalogue frame
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
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
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
    // Where the last paint put its object labels (element coordinates).
    const std::vector<LabelPlace>& labels_placed() const { return placed_labels; }
    // Nothing is left to appear or to move: the last paint made no label, the Sun (which lights
    // the sky) and every shown body have their positions and a selected object has been reached.
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
    // Where the view turns to face a catalogue direction at the moment shown.
    SkyTarget target_of(const EquatorialVector& catalogue) const;
    // The ecliptic of date for the moment shown, once per moment.
    void place_ecliptic();
    // The Sun's altitude in degrees, or NaN while its place is unknown.
    double sun_altitude_deg() const;
    // The Moon's phase as drawn: its phase angle and its bright limb turned toward the Sun.
    MoonPhase moon_phase() const;
    // Queues a label for the placement pass at the end of the frame.
    void wish_label(const PictureRef& label, LabelWish wish, Tint tint, bool or_blend);
    void paint_labels(RenderSurface& surface, Point origin);
    // Copies what the per-frame loops read of the stars and figures into compact arrays.
    void pack_for_drawing();
    bool cell_on_screen(int row, int column) const;

    void paint_background(RenderSurface& surface, Point origin);
    void paint_grid(RenderSurface& surface, Point origin);
    void paint_ground(RenderSurface& surface, Point origin);
    void paint_horizon(RenderSurface& surface, Point origin);
    void paint_altitude_scale(RenderSurface& surface, Point origin);
    void paint_figures(RenderSurface& surface, Point origin);
    void paint_constellation_names();
    void paint_stars(RenderSurface& surface, Point origin);
    void paint_bodies(RenderSurface& surface, Point origin);
    void paint_body(RenderSurface& surface, Point origin, Body body, const ScreenPoint& at);

    std::u16string data_folder;
    SkyObject selected;
    StarsListener* listener = nullptr;
    SkyView view_;
    double clock_ = 0.0;
    // The clock at the last update that had the sky drawn.
    double drawn_clock = 0.0;
    DragTracker tracker;

    Colour grid_color, star_color, planet_color, const_name_color, const_color, compass_mark_color, hor_color, ground_color;
    SkyColours sky_colours;
    FontHandle font;
    PictureRef background;
    std::array<PictureRef, STAR_CLASSES> star_sprites;
    int32_t size_factor = 1;

    std::array<EquatorialVector, ALTITUDE_MARKS> altitude_marks{};
    std::array<PictureRef, ALTITUDE_MARKS> altitude_labels;
    std::array<EquatorialVector, AZIMUTH_MARKS> azimuth_marks{};
    std::array<PictureRef, AZIMUTH_MARKS> azimuth_labels;
    // The ecliptic of date, in the true equatorial frame of the moment shown.
    SkyCurve ecliptic;
    double ecliptic_jd = -1e300;
    // The Moon at the moment shown (UT), geocentric.
    struct {
        double jd_ut = -1e300;
        BodyPosition position;
    } moon_moment;
    SkyCurve horizon;
    std::vector<SkyCurve> grid_lines;
    // Stars and figure lines lifted by the air near the horizon, set up once per frame.
    RefractionLift lift;

    NameIndex star_names_;
    NameIndex constellation_names_;
    NameIndex planet_names_;

    SkyCatalog sky;
    SkyCatalogLoad catalog_load_;
    std::vector<std::pair<std::string, std::string>> picture_problems_;
    std::vector<std::vector<CellStar>> cell_stars; // by grid cell, as the grid lists them
    // Each constellation's figure as star directions; a step without a star lifts the pen.
    struct FigureStep {
        EquatorialVector direction;
        bool pen_up = false;
    };
    std::vector<std::vector<FigureStep>> figures;
    std::vector<PictureRef> star_labels;          // by catalogue number
    std::vector<PictureRef> constellation_labels; // by constellation index
    std::array<SkyBody, BODY_COUNT> bodies_;
    BodyPositionCache positions;
    int32_t labels_this_frame = 0;

    // The frame's labels, placed together once everything is drawn.
    struct LabelDraw {
        PictureRef picture;
        Tint tint;
        bool or_blend = false;
    };
    std::vector<LabelDraw> label_draws;
    LabelPlacer placer;
    std::vector<LabelPlace> placed_labels;
    std::vector<GroundSpan> ground;
};

} // namespace stellaro
