#pragma once
#include "document/document.h"
#include "screens/city_list_screen.h"
#include "screens/date_time_panel.h"
#include "screens/gps_screen.h"
#include "screens/location_screen.h"
#include "screens/main_menu.h"
#include "screens/object_info_panel.h"
#include "screens/search_panel.h"
#include "screens/settings_panel.h"
#include "shell/application.h"
#include "shell/application_listener.h"
#include "skin/elements/element.h"
#include "skin/kinds/button.h"
#include "skin/kinds/checkbox.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace stellaro {

// The screen that stays up for the whole run, built from the skin's "Main" node: the sky, the
// bottom bar opening the search, date and time, and settings panels (one at a time) and the
// main menu, the selected object's name with its target marker, and the zoom knob.
class MainScreen : public Element,
                   public StarsListener,
                   public CheckboxListener,
                   public ButtonListener,
                   public DocumentListener,
                   public ApplicationListener,
                   public PropertiesListener,
                   public SearchPanelListener {
public:
    static constexpr const char16_t* NODE = u"Main";
    // The speed at which the let-go zoom knob returns to rest.
    static constexpr double ZOOM_SPRING_PX_S = 400.0;
    // One wheel notch zooms as far as dragging the zoom knob by this many pixels.
    static constexpr double WHEEL_PIXELS = 20.0;

    // The panels of the bottom bar, by the name of the button that opens each.
    enum class Panel { SEARCH, DATETIME, SETTINGS };

    // Builds the screen from "Main" (skincore::NodeNotFoundInSkin without it,
    // skincore::NodeNotFound for a missing part) and rebuilds it on every skin reload.
    MainScreen(Properties& properties, Document& document);
    ~MainScreen() override;

    // The arrow keys turn the sky (a window's keyboard); off by default.
    void set_turn_by_keys(bool on) { turn_by_keys = on; }
    // Command lines handed over by later starts go here after the window has come forward.
    void set_command_line_handler(std::function<void(std::u16string_view)> handler) { command_line_handler = std::move(handler); }

    Stars& sky() const { return *stars; }
    SearchPanel& search() const { return *search_; }
    // Opens the panel as a tap on its button would.
    void open_panel(Panel panel);
    // Opens the main menu as a tap on its button would.
    void open_menu();
    // Opens the about panel over the screen.
    void open_about()
    {
        step_aside();
        main_menu.about().open();
    }
    // Opens the city list over the screen.
    void open_city_list()
    {
        step_aside();
        city_list.open();
    }
    // Opens the GPS screen, made on first use.
    void open_gps();
    // Opens the location screen as the settings' location button does.
    void open_location();
    LocationScreen& location() const { return *location_; }
    // Opens the selected object's information; false with nothing selected.
    bool open_selection_info();
    // Shows or hides the search panel; the zoom knob shows exactly when it is hidden.
    void show_search(bool on, bool animated);
    // Shows the selection: its name, its target marker (moved by a dragged target) and close button.
    void refresh_selection();
    // Shows the document's moment on the drums and whether it follows the clock.
    void show_document_moment();

    void update(double elapsed) override;
    bool on_pointer_button(const PointerEvent& event) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_key(const KeyEvent& event) override;
    bool on_text(std::u16string_view text) override;

    void reload_skin(Properties& properties) override;

    void drag_started() override;
    void tapped(const PointerEvent& event) override;

    void on_click(Checkbox& checkbox, Point point) override;
    void on_state_changed(Checkbox& checkbox, bool notify) override;

    void on_click(Button& button, Point point) override;
    void on_press_changed(Button& button, Point point, bool cancelled) override;
    void on_drag(Button& button, ButtonDrag& drag) override;

    void search_chosen(SkyKind kind) override;
    // A new place or zone switch moves the local time: the drums show it.
    void document_changed(DocumentChange change) override;

    void on_command_line(std::u16string_view text) override;
    bool on_close() override { return true; }
    bool on_wheel(Point point, int steps) override;
    void on_screen_closed(Element*, ScreenClosing) override {}
    void on_resolution_changed() override {}
    void on_help() override {}
    void on_deactivated() override { backlight.reset(); }
    void on_activated() override;
    bool filter_key(const KeyEvent&) override { return false; }

private:
    void build();
    template <typename Kind>
    Kind& part(Element& parent, std::u16string_view name);
    // The bar's panel buttons: the clicked one toggles, the others go off, the panels follow.
    void click_panel_button(Checkbox& clicked);
    void show_panels();
    // Takes the location screen back from the application when it is open.
    void close_location();
    void place(Element& element, Point offset);
    // The document's moment left the live clock: the way back and the marker show.
    void show_clock_state();
    bool turn_by_arrow(const KeyEvent& event);
    // A press inside a shown panel never reaches the sky behind it.
    bool over_panel(Point point) const;
    // The element lies (partly) under a shown panel.
    bool under_open_panel(const Element& element) const;
    // Another screen goes over this one, phone-wide in larger windows: the pill, which it would
    // cut and which cannot be taken meanwhile, waits for this screen to be on top again.
    void step_aside();
    // Hands the selected object to the information panel; false when there is none.
    bool show_selection_info();
    // Moves the selection pill beside an open panel that would cover it (landscape windows), and
    // back to the centre when none does.
    void keep_selection_clear();

    Properties& properties;
    Document& document;
    MainMenu main_menu;
    std::unique_ptr<GpsScreen> gps_screen;
    ObjectInfoPanel info_panel;
    SettingsPanel settings;
    DateTimePanel date_time;
    CityListScreen city_list;
    std::optional<BacklightHold> backlight;
    std::function<void(std::u16string_view)> command_line_handler;
    bool turn_by_keys = false;
    bool sky_has_pointer = false;

    Stars* stars = nullptr;
    Button* zoom_knob = nullptr;
    Button* target = nullptr;
    Element* target_tip = nullptr;
    Button* selection_button = nullptr;
    Button* close_selection = nullptr;
    // The pill holding the selection and close buttons, and its width as the skin gives it.
    Element* selection_bar = nullptr;
    int32_t selection_bar_width = 0;
    Checkbox* search_button = nullptr;
    Checkbox* datetime_button = nullptr;
    Checkbox* settings_button = nullptr;
    Checkbox* menu_button = nullptr;
    Element* datetime_exclamation = nullptr;
    Element* settings_exclamation = nullptr;
    Element* search_panel = nullptr;
    Element* datetime_panel = nullptr;
    Element* settings_panel = nullptr;
    Checkbox* tab_stars = nullptr;
    Checkbox* tab_constellations = nullptr;
    Checkbox* tab_planets = nullptr;
    Button* now_button = nullptr;
    Button* location_button = nullptr;

    Point zoom_rest;
    double zoom_offset_px = 0.0;
    // How far the knob may leave its rest either way: the ends of its track.
    double zoom_travel_px = 0.0;
    Point target_drag;
    // The location screen while it is closed (the application holds it while open).
    std::unique_ptr<Element> location_home;
    LocationScreen* location_ = nullptr;
    // Goes before the elements it looks after (members go before the element base).
    std::unique_ptr<SearchPanel> search_;
};

} // namespace stellaro
