#pragma once
#include "document/document.h"
#include "screens/map_tile_loader.h"
#include "skin/elements/element.h"
#include "skin/kinds/big_picture.h"
#include "skin/kinds/button.h"
#include "skin/props/properties.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace stellaro {

// Map units: the world map's finest level is 8192 x 4096 for 360 x 180 degrees.
inline constexpr double MAP_WIDTH = 8192.0;
inline constexpr double MAP_HEIGHT = 4096.0;
inline constexpr double MAP_UNITS_PER_DEGREE = MAP_WIDTH / 360.0;
inline constexpr std::u16string_view MAP_ARCHIVE = u"%app_path%/map.zip";
// The map's tiles and the levels the archive holds.
inline constexpr int32_t MAP_TILE_PX = 256;
inline constexpr int32_t MAP_TOP_LEVEL = 4;

// A place's position on the map, in map units, and back.
double map_x_of_longitude(double longitude_deg);
double map_y_of_latitude(double latitude_deg);
double longitude_of_map_x(double x);
double latitude_of_map_y(double y);

// The location screen, from the skin node "Location": the world map (tiles of
// "%app_path%/map.zip" read on a worker thread) with the target marker on the place, which a tap
// on the map or a drag of the marker moves (the nearest city shown by an arrow while dragging);
// the place as text, the current city's button, the GPS button, zoom buttons and back.
// Choosing a place moves the document's place, which saves it and tells its listeners.
class LocationScreen : public Element, public ButtonListener, public BigPictureListener, public DocumentListener {
public:
    static constexpr const char16_t* NODE = u"Location";

    // The screen is kept in `home` while it is closed and handed to the application while open.
    // Builds itself from "Location" (skincore::NodeNotFoundInSkin without it,
    // skincore::NodeNotFound for a missing part) and starts the tile loader.
    LocationScreen(Properties& properties, Document& document, std::unique_ptr<Element>& home,
                   std::u16string_view map_archive = MAP_ARCHIVE);
    ~LocationScreen() override;

    // Centres the map on the document's place and shows the screen on the application's stack.
    void open();
    // Hands the screen back to its home.
    void close();
    bool is_open() const { return !home; }

    // Zooms the map by whole levels (a wheel's notches; positive zooms in).
    void zoom_by_steps(int steps);

    // The city list or the GPS screen chose a place: the document moves there (saved, its
    // listeners told) and the map follows.
    void city_chosen(int32_t city_index);
    // Who opens the city list and the GPS screen for the city and GPS buttons (the screen that
    // owns those, so that they outlive a rebuilt map).
    void set_openers(std::function<void()> city_list, std::function<void()> gps);
    void place_chosen(double longitude_deg, double latitude_deg);

    BigPicture& map() const { return *map_; }
    MapTileLoader& loader() const { return *loader_; }
    // The place shown (shifted by a dragged target) and its city (-1 for none).
    double shown_longitude() const { return shown_longitude_; }
    double shown_latitude() const { return shown_latitude_; }
    int32_t shown_city() const { return shown_city_; }
    // Whether tiles are still being read or the map still moves or zooms.
    bool loading() const;
    // Rebuilds the markers and texts from the document and the map.
    void refresh();

    void update(double elapsed) override;
    bool on_key(const KeyEvent& event) override;
    bool on_pointer_button(const PointerEvent& event) override;
    void on_pointer_move(const PointerEvent& event) override;
    void on_click(Button& button, Point point) override;
    void on_press_changed(Button& button, Point point, bool cancelled) override;
    void on_drag(Button& button, ButtonDrag& drag) override;
    void view_moved(double center_x, double center_y) override;
    void tapped(const PointerEvent& event) override;
    void document_changed(DocumentChange change) override;

private:
    template <typename Kind>
    Kind& part(Element& parent, std::u16string_view name);
    // Degrees per screen pixel at the map's whole zoom level.
    double degrees_per_pixel() const;
    // Places the element so that its "tip" lies on the screen point.
    void place_tip(Element& element, const Element& tip, Point point);
    // Opens the city list, which hands its choice to city_chosen.
    void open_city_list();
    // Opens the GPS screen, which hands a fix to place_chosen.
    void open_gps();

    Properties& properties;
    Document& document;
    std::function<void()> city_list_opener;
    std::function<void()> gps_opener;
    std::unique_ptr<Element>& home;
    BigPicture* map_ = nullptr;
    Button* plus = nullptr;
    Button* minus = nullptr;
    Button* back = nullptr;
    Button* gps = nullptr;
    Button* city = nullptr;
    Element* latlong = nullptr;
    Button* target = nullptr;
    Element* target_tip = nullptr;
    Element* arrow = nullptr;
    Element* arrow_tip = nullptr;
    Point target_drag;
    // The map took the last press (the controls above it did not).
    bool map_has_pointer = false;
    // The map's size when the markers were last placed.
    Size laid_out;
    bool night = false;
    double shown_longitude_ = 0.0;
    double shown_latitude_ = 0.0;
    int32_t shown_city_ = -1;
    // Last: stopped first, before the map it serves goes.
    std::unique_ptr<MapTileLoader> loader_;
};

} // namespace stellaro
