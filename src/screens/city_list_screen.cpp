#include "screens/city_list_screen.h"

#include "shell/application.h"
#include "skin/kinds/old_text.h"
#include "skin/kinds/vlist.h"
#include "skin/kinds/vlist_item.h"
#include "skin/props/skincore.h"

namespace stellaro {

namespace {

constexpr const char16_t* DIGIT_IDS[] = {u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"};

} // namespace

// The screen's element: the keyboard types into the filter, Backspace takes a digit back as
// "del" does, Escape closes the list.
class CityListScreen::Screen : public Element {
public:
    explicit Screen(CityListScreen& owner) : owner(owner) {}
    // The application may end an open list before its owner: the owner must not reach for it.
    ~Screen() override { owner.screen_gone(*this); }

    bool on_key(const KeyEvent& event) override
    {
        if (event.down && event.code == KEY_BACKSPACE) {
            owner.delete_digit();
            return true;
        }
        if (event.down && event.code == KEY_ESC) {
            owner.close();
            return true;
        }
        return Element::on_key(event);
    }

    bool on_text(std::u16string_view text) override
    {
        bool used = false;
        for (const char16_t c : text)
            if (const char16_t digit = keypad_digit(c))
                used = owner.type_digit(digit) || used;
        return used || Element::on_text(text);
    }

private:
    CityListScreen& owner;
};

// A row of the list: the city's name with its matched letters in the highlight colour, and its
// country's name.
class CityListScreen::Row : public VListItem {
public:
    Row(VList& list, CityListScreen& owner) : VListItem(&list), owner(owner) {}

    void bind(VList&, bool) override
    {
        const auto row = static_cast<size_t>(index());
        if (row >= owner.result_.matches.size())
            return;
        const CityRecord& city = owner.document.cities[static_cast<size_t>(owner.result_.matches[row])];
        const CityMatch match = match_city(city.key, owner.filter_);
        if (auto* big = dynamic_cast<OldText*>(find_child(u"big"))) {
            big->set_text(city.name);
            // An empty filter highlights nothing, though it matches every city.
            big->set_highlight(match.begin, owner.filter_.empty() ? match.begin : match.end, owner.highlight);
        }
        send_text(u"small", owner.properties.translate_or(u"iso3166_" + city.country, u""));
    }

private:
    CityListScreen& owner;
};

CityListScreen::CityListScreen(Properties& properties, Document& document) : properties(properties), document(document)
{
    build();
    properties.add_listener(this);
}

CityListScreen::~CityListScreen()
{
    properties.remove_listener(this);
    close();
    if (list)
        list->set_source(nullptr, 0);
}

void CityListScreen::build()
{
    auto made = std::make_unique<Screen>(*this);
    if (!made->load_from_skin(properties, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    made->set_visible(true);
    made->set_id(NODE);
    const auto button = [&](const char16_t* id) {
        auto* found = dynamic_cast<Button*>(made->find_child(id));
        if (!found)
            throw skincore::NodeNotFound(NODE, id);
        found->set_listener(this);
        return found;
    };
    back = button(u"back");
    del = button(u"del");
    for (size_t i = 0; i < digits.size(); ++i)
        digits[i] = button(DIGIT_IDS[i]);
    list = dynamic_cast<VList*>(made->find_child(u"cities"));
    if (!list)
        throw skincore::NodeNotFound(NODE, u"cities");
    filter_text = made->find_child(u"filter");
    if (!filter_text)
        throw skincore::NodeNotFound(NODE, u"filter");
    hint = made->find_child(u"hint");
    if (!hint)
        throw skincore::NodeNotFound(NODE, u"hint");
    highlight = properties.get_color(properties.find_block(HIGHLIGHT_NODE), u"color", {0, 0, 0, 255});
    list->set_source(this, static_cast<int32_t>(document.cities.size()));
    // Set first, so that the screen this one replaces does not take the new one's parts with it.
    screen_ = made.get();
    owned_screen = std::move(made);
    run_filter();
}

void CityListScreen::open()
{
    filter_.clear();
    run_filter();
    Application* application = Application::instance();
    if (!application || is_open())
        return;
    application->push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
}

void CityListScreen::screen_gone(const Element& gone)
{
    if (screen_ != &gone)
        return;
    screen_ = nullptr;
    list = nullptr;
    filter_text = nullptr;
    hint = nullptr;
    back = nullptr;
    del = nullptr;
    digits.fill(nullptr);
}

void CityListScreen::close()
{
    if (!is_open())
        return;
    if (Application* application = Application::instance())
        owned_screen = application->remove_screen(screen_);
}

bool CityListScreen::type_digit(char16_t digit)
{
    if (digit < u'0' || digit > u'9' || !result_.next_digits[digit - u'0'])
        return false;
    filter_.push_back(digit);
    run_filter();
    return true;
}

bool CityListScreen::delete_digit()
{
    if (filter_.empty())
        return false;
    filter_.pop_back();
    run_filter();
    return true;
}

void CityListScreen::run_filter()
{
    filter_cities(document.cities, filter_, document.city_index, result_);
    if (!screen_)
        return;
    for (size_t i = 0; i < digits.size(); ++i)
        digits[i]->set_enabled(result_.next_digits[i + 2]);
    del->set_enabled(!filter_.empty());
    list->reset(static_cast<int32_t>(result_.matches.size()));
    list->set_selection(result_.current_position);
    if (filter_.empty())
        list->scroll_to(std::max(result_.current_position, 0));
    filter_text->send_text(filter_text->id(), filter_);
    hint->set_visible(filter_.empty());
}

void CityListScreen::on_click(Button& button, Point)
{
    if (&button == back) {
        close();
    } else if (&button == del) {
        delete_digit();
    } else {
        for (size_t i = 0; i < digits.size(); ++i)
            if (&button == digits[i])
                type_digit(static_cast<char16_t>(u'2' + i));
    }
}

void CityListScreen::item_clicked(VList&, int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= result_.matches.size())
        return;
    // Closed first: the document's listeners may open other screens over the list's place.
    const int32_t city = result_.matches[static_cast<size_t>(index)];
    close();
    document.set_city(city);
}

std::unique_ptr<VListItem> CityListScreen::create_item(VList& list_element, int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= result_.matches.size())
        return nullptr;
    auto row = std::make_unique<Row>(list_element, *this);
    const char16_t* node = index % 2 == 0 ? EVEN_ROW : ODD_ROW;
    if (!row->load_from_skin(properties, node))
        throw skincore::NodeNotFound(u"", node);
    for (const char16_t* part : {u"big", u"small"})
        if (!row->find_child(part))
            throw skincore::NodeNotFound(node, part);
    return row;
}

void CityListScreen::reload_skin(Properties&)
{
    const bool was_open = is_open();
    close();
    if (list)
        list->set_source(nullptr, 0);
    list = nullptr;
    owned_screen.reset();
    build();
    if (was_open) {
        if (Application* application = Application::instance())
            application->push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
    }
}

} // namespace stellaro
