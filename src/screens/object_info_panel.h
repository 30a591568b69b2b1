#pragma once
#include "astro/constellation.h"
#include "astro/star_record.h"
#include "skin/elements/element.h"
#include "skin/kinds/button.h"
#include "skin/props/properties.h"
#include "skin/surface/picture.h"
#include "sky/moon_figure.h"
#include "sky/stars.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace stellaro {

class ObjectInfoPanel;

// The element the information panel puts on the screen stack: it runs the Sun's animation and
// closes the panel with the back key.
class ObjectInfoScreen : public Element {
public:
    explicit ObjectInfoScreen(ObjectInfoPanel& panel) : panel(panel) {}

    void update(double elapsed) override;
    bool on_key(const KeyEvent& event) override;

private:
    ObjectInfoPanel& panel;
};

// The information about one sky object, shown over the dimmed sky: its picture, its name and
// designation, and its equatorial and horizontal coordinates for the document's place and moment.
//
// Skin: the node "Selection" with the children "back" (a button that closes the panel), "image"
// (an "image" that shows the object), "name", "desc" (the designation), "background" (a "color"
// whose colour fills the picture behind the object) and the coordinate values "ra", "dec", "az"
// and "alt". Made once with the main screen and reused; it rebuilds itself when the skin is
// reloaded.
class ObjectInfoPanel : public ButtonListener, public PropertiesListener {
public:
    static constexpr const char16_t* NODE = u"Selection";

    // Builds the panel from the skin; throws skincore::NodeNotFoundInSkin without the node and
    // skincore::NodeNotFound without one of its children. Data files (the star picture, the
    // constellation pictures) are looked for in data_folder.
    explicit ObjectInfoPanel(Properties& properties, std::u16string data_folder = u"%app_path%");
    ~ObjectInfoPanel() override;
    ObjectInfoPanel(const ObjectInfoPanel&) = delete;
    ObjectInfoPanel& operator=(const ObjectInfoPanel&) = delete;

    // Fill the panel for the object and open it on the application's screen stack. A star's
    // Bayer letter is written with the name of its constellation, found among constellations.
    void show_star(const StarRecord& star, const std::vector<Constellation>& constellations);
    void show_body(const SkyBody& body, int32_t index);
    void show_constellation(const Constellation& constellation);
    // Takes the panel off the screen stack.
    void close();
    bool is_open() const { return !owned_screen; }

    // Advances the clock of the Sun's animation and draws its next frame when it changes.
    void advance(double elapsed);

    void on_click(Button& button, Point point) override;
    void reload_skin(Properties& properties) override;


private:
    void build();
    // Shows the texts and coordinates of an object at ra (hours) and dec (degrees).
    void fill(std::u16string_view name, std::u16string_view designation, double ra, double dec);
    void draw_body();
    // A square of the panel's picture size filled with the colour of "background".
    PictureRef blank_picture() const;
    void open();

    Properties& properties;
    std::u16string data_folder;
    std::unique_ptr<ObjectInfoScreen> owned_screen;
    ObjectInfoScreen* screen_ = nullptr;
    Element* image = nullptr;
    Element* name = nullptr;
    Element* desc = nullptr;
    Element* background = nullptr;
    PictureRef picture_;

    // The body shown, -1 for a star or constellation; its picture and phase angle.
    int32_t shown_body = -1;
    PictureRef body_picture;
    MoonPhase moon_phase;
    int32_t sun_frame = -1;
    double clock = 0.0;
};

} // namespace stellaro
