#include "shell/menu.h"

#include "shell/application.h"
#include "shell/menu_item_element.h"
#include "skin/props/skincore.h"

#include <algorithm>
#include <utility>

namespace stellaro {

namespace {

bool same_ids(const std::vector<MenuItem>& a, const std::vector<MenuItem>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const MenuItem& x, const MenuItem& y) { return x.id == y.id; });
}

Element& required_child(const Element& screen, std::u16string_view node, std::u16string_view id)
{
    Element* child = screen.find_child(id);
    if (!child)
        throw skincore::NodeNotFound(std::u16string(node), std::u16string(id));
    return *child;
}

} // namespace

Menu::Menu(Properties& properties, MenuListener* listener, int32_t context, std::u16string default_template,
           std::u16string_view screen_node)
    : properties_(properties), default_template_(std::move(default_template)), listener(listener), context(context),
      owned_screen(std::make_unique<MenuScreen>(*this)), screen_(owned_screen.get())
{
    if (!screen_->load_from_skin(properties, screen_node))
        throw skincore::NodeNotFoundInSkin(std::u16string(screen_node));
    screen_->set_visible(true);
    panel_ = &required_child(*screen_, screen_node, u"panel");
    caption = screen_->find_child(u"caption");
    list_ = dynamic_cast<VList*>(&required_child(*screen_, screen_node, u"vlist"));
    if (!list_)
        throw skincore::SkinError("node {vlist} of {" + utf16_to_utf8(screen_node) + "} is not a \"vlist\"");
    // The list may sit deep in the panel; the screen hands it the input directly.
    if (std::find(screen_->input_children().begin(), screen_->input_children().end(), list_) ==
        screen_->input_children().end())
        screen_->add_input_child(list_);
    list_->set_source(this, 0);
}

Menu::~Menu()
{
    // An open menu leaves the stack with its screen; once the application is gone its stack took
    // the screen along.
    if (!owned_screen && Application::instance())
        Application::instance()->remove_screen(screen_);
}

std::u16string Menu::text_of(const MenuItem& item) const
{
    return item.text.empty() ? properties_.translate(item.id) : item.text;
}

void Menu::set_caption(std::u16string text)
{
    caption_ = std::move(text);
    if (caption)
        caption->send_text(caption->id(), caption_);
}

void Menu::open(std::u16string_view id, std::u16string_view title, bool first)
{
    std::u16string shown = title.empty() ? properties_.translate(id) : std::u16string(title);
    std::vector<MenuItem> fresh;
    if (listener)
        listener->command(context, id, shown, fresh);
    const std::vector<MenuItem> previous = std::exchange(entries, std::move(fresh));
    if (!first && is_open() && same_ids(previous, entries)) {
        // The same entries: their marks may have changed, so only they are built again.
        set_caption(std::move(shown));
        for (size_t i = 0; i < entries.size(); ++i)
            list_->refresh_item(static_cast<int32_t>(i));
        return;
    }
    set_caption(std::move(shown));
    panel_->set_visible(false);
    list_->reset(static_cast<int32_t>(entries.size()));
    if (entries.empty()) {
        close();
        return;
    }
    show_screen();
    panel_->show(true);
}

void Menu::show_screen()
{
    Application* application = Application::instance();
    if (!application)
        return;
    if (!is_open())
        application->push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
    // Placed now, so that the panel's animation starts from the laid-out screen.
    const ScreenInfo area = application->client_area();
    screen_->set_horizontal(0, area.client_width);
    screen_->set_vertical(0, area.client_height);
}

void Menu::close()
{
    if (!is_open())
        return;
    if (Application* application = Application::instance()) {
        std::unique_ptr<Element> removed = application->remove_screen(screen_);
        if (removed)
            owned_screen.reset(static_cast<MenuScreen*>(removed.release()));
    }
}

void Menu::item_clicked(VList&, int32_t index)
{
    if (index < 0 || index >= static_cast<int32_t>(entries.size()) || !entries[static_cast<size_t>(index)].enabled)
        return;
    const std::u16string id = entries[static_cast<size_t>(index)].id;
    open(id, u"", false);
}

std::unique_ptr<VListItem> Menu::create_item(VList& list, int32_t index)
{
    if (index < 0 || index >= static_cast<int32_t>(entries.size()))
        return nullptr;
    return std::make_unique<MenuItemElement>(&list, *this);
}

} // namespace stellaro
