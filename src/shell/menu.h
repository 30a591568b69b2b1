#pragma once
#include "shell/menu_item.h"
#include "shell/menu_listener.h"
#include "shell/menu_screen.h"
#include "skin/kinds/vlist.h"
#include "skin/kinds/vlist_source.h"
#include "skin/props/properties.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// The toolkit's pop-up menu: a screen over the dimmed application with a panel, an optional
// caption and a list of entries. The listener fills the entries for a menu id and performs an
// entry's id; choosing an entry opens its id, so a command closes the menu and a submenu
// replaces the list.
//
// Skin: the screen node (default "Menu") with the children "panel" (shown with its visibility
// animation), "caption" (optional; gets the title through its id) and "vlist" (a "vlist"). The
// entries are built from their template node, the default one unless the entry names another;
// a disabled entry from the template name followed by "Disabled".
class Menu : public VListSource {
public:
    // Builds the screen from the skin; throws skincore::NodeNotFoundInSkin without the screen node,
    // skincore::NodeNotFound without "panel" or "vlist", skincore::SkinError when "vlist" is no list.
    Menu(Properties& properties, MenuListener* listener, int32_t context,
         std::u16string default_template = u"menu_item", std::u16string_view screen_node = u"Menu");
    ~Menu() override;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // Asks the listener for the entries of id and shows them; first when opened from outside the
    // menu, false when following a choice inside it. An empty title shows the id translated.
    void open(std::u16string_view id, std::u16string_view title, bool first);
    // Takes the menu off the screen stack.
    void close();
    bool is_open() const { return !owned_screen; }

    void item_clicked(VList& list, int32_t index) override;
    std::unique_ptr<VListItem> create_item(VList& list, int32_t index) override;

    const std::vector<MenuItem>& items() const { return entries; }
    // The entry's text as shown: its own text, or its id translated.
    std::u16string text_of(const MenuItem& item) const;
    const std::u16string& caption_text() const { return caption_; }
    const std::u16string& default_template() const { return default_template_; }
    Properties& properties() { return properties_; }
    MenuScreen& screen() const { return *screen_; }
    VList& list() const { return *list_; }
    Element& panel() const { return *panel_; }

private:
    void set_caption(std::u16string text);
    // Puts the screen on the stack unless it is there, laid out over the client area.
    void show_screen();

    Properties& properties_;
    std::u16string default_template_;
    MenuListener* listener;
    int32_t context;
    // Held here while closed; the screen stack holds it while open.
    std::unique_ptr<MenuScreen> owned_screen;
    MenuScreen* screen_ = nullptr;
    Element* panel_ = nullptr;
    Element* caption = nullptr;
    VList* list_ = nullptr;
    std::vector<MenuItem> entries;
    std::u16string caption_;
};

} // namespace stellaro
