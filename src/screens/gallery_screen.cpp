#include "screens/gallery_screen.h"

#include "skin/kinds/progress_bar.h"
#include "skin/kinds/spinner.h"
#include "skin/kinds/vlist.h"
#include "skin/props/skincore.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace stellaro {

namespace {

constexpr const char16_t* ROW_NODE = u"GalleryRow";
constexpr const char16_t* DRUM_ROW_NODE = u"GallerySpinnerRow";
constexpr const char16_t* MENU_ID = u"gallery_menu";
constexpr const char16_t* LANGUAGE_MENU_ID = u"gallery_languages";

std::u16string ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// A row of the gallery's list, made from the row node of the skin and showing "Item N".
class GalleryRowItem : public VListItem {
public:
    GalleryRowItem(Element* owner, Properties& properties) : VListItem(owner), properties(properties) {}

    void bind(VList&, bool is_new) override
    {
        if (is_new && !load_from_skin(properties, ROW_NODE))
            throw skincore::NodeNotFoundInSkin(ROW_NODE);
        send_text(u"#text", ascii("Item " + std::to_string(index() + 1)));
    }

private:
    Properties& properties;
};

MenuItem entry(std::u16string id, std::u16string text, bool checked = false)
{
    MenuItem item;
    item.id = std::move(id);
    item.text = std::move(text);
    item.checked = checked;
    return item;
}

} // namespace

GalleryScreen::~GalleryScreen()
{
    // The menu's screen may be on the application's stack; it goes before this screen.
    menu_.reset();
}

template <typename Kind>
Kind& GalleryScreen::part(std::u16string_view id)
{
    Kind* found = dynamic_cast<Kind*>(find_child(id));
    if (!found)
        throw skincore::NodeNotFound(NODE, std::u16string(id));
    return *found;
}

void GalleryScreen::build(Properties& skin)
{
    properties = &skin;
    menu_.reset();
    if (!load_from_skin(skin, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    part<Button>(u"gallery_button_pressed").set_forced(true);
    part<Button>(u"gallery_button_disabled").set_enabled(false);
    part<ProgressBar>(u"gallery_progress").set_value(0.6);
    part<Button>(u"gallery_menu_button").set_listener(this);
    list = &part<VList>(u"gallery_list");
    list->set_source(this, LIST_LENGTH);
    list->set_selection(1);
    hours = &part<Spinner>(u"gallery_hours");
    minutes = &part<Spinner>(u"gallery_minutes");
    set_up_drum(*hours, 24, 21);
    set_up_drum(*minutes, 60, 30);
    menu_ = std::make_unique<Menu>(skin, this, 0);
    set_visible(true);
}

void GalleryScreen::set_up_drum(Spinner& drum, int32_t rows, int32_t start)
{
    drum.set_listener(this);
    drum.set_range(rows, true);
    drum.set_value(start);
}

void GalleryScreen::item_clicked(VList& clicked, int32_t index) { clicked.set_selection(index); }

std::unique_ptr<VListItem> GalleryScreen::create_item(VList& owner, int32_t index)
{
    if (index < 0 || index >= LIST_LENGTH)
        return nullptr;
    return std::make_unique<GalleryRowItem>(&owner, *properties);
}

void GalleryScreen::value_changed(Spinner&, int32_t) {}

void GalleryScreen::value_proposed(Spinner& spinner, const SpinnerProposal& proposal) { spinner.set_value(proposal.raw); }

void GalleryScreen::snap_target(Spinner& spinner) { spinner.set_target(std::round(spinner.target())); }

std::unique_ptr<Element> GalleryScreen::make_row_element(Spinner& spinner, int32_t row)
{
    auto element = std::make_unique<Element>(&spinner);
    if (!element->load_from_skin(*properties, DRUM_ROW_NODE))
        throw skincore::NodeNotFoundInSkin(DRUM_ROW_NODE);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", static_cast<int>(row));
    element->send_text(u"#text", ascii(digits));
    return element;
}

void GalleryScreen::on_click(Button&, Point)
{
    if (menu_)
        menu_->open(MENU_ID, u"", true);
}

void GalleryScreen::command(int32_t, std::u16string_view id, std::u16string& title, std::vector<MenuItem>& items)
{
    // Switches answer with the menu they belong to, which refreshes their marks in place.
    if (id == u"gallery_night")
        night = !night;
    if (id == u"gallery_grid")
        grid = !grid;
    if (id == MENU_ID || id == u"gallery_night" || id == u"gallery_grid") {
        title = u"Gallery";
        items = {entry(u"gallery_night", u"Night mode", night), entry(u"gallery_grid", u"Grid", grid),
                 entry(LANGUAGE_MENU_ID, u"Language\u2026")};
        MenuItem about = entry(u"gallery_about", u"About");
        about.enabled = false;
        items.push_back(about);
        items.push_back(entry(u"gallery_close", u"Close"));
        return;
    }
    if (id == LANGUAGE_MENU_ID) {
        title = u"Language";
        items = {entry(u"gallery_english", u"English", true), entry(u"gallery_french", u"Fran\u00e7ais"),
                 entry(u"gallery_german", u"Deutsch")};
    }
}

} // namespace stellaro
