#include "platform/utf.h"
#include "shell/application.h"
#include "shell/menu.h"
#include "skin/elements/element_factory.h"
#include "skin/props/skincore.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace stellaro {

namespace {

// Keeps the last text sent to its id.
class TextProbe : public Element {
public:
    using Element::Element;
    void send_text(std::u16string_view id, std::u16string_view text) override
    {
        if (id == this->id())
            shown = text;
        Element::send_text(id, text);
    }
    std::u16string shown;
};

// Menus by id; any other id is a command, performed and noted.
class Commands : public MenuListener {
public:
    void command(int32_t context, std::u16string_view id, std::u16string& title, std::vector<MenuItem>& items) override
    {
        contexts.push_back(context);
        const auto menu = menus.find(std::u16string(id));
        if (menu == menus.end()) {
            performed.emplace_back(id);
            return;
        }
        items = menu->second;
        if (id == u"view")
            title = u"View options";
    }

    std::map<std::u16string, std::vector<MenuItem>> menus;
    std::vector<std::u16string> performed;
    std::vector<int32_t> contexts;
};

MenuItem item(std::u16string id, bool enabled = true, bool checked = false)
{
    MenuItem made;
    made.id = std::move(id);
    made.enabled = enabled;
    made.checked = checked;
    return made;
}

constexpr const char* MENU_SKIN =
    "node Menu {\n"
    "  child { string type = \"node\" string id = \"panel\" string visibility_animation = \"bottom\"\n"
    "    child { string type = \"probe_text\" string id = \"caption\" string anchor_y = \"MIN_SIDE\" point design_size = 0, 40 }\n"
    "    child { string type = \"vlist\" string id = \"vlist\" point border_min = 0, 40 } } }\n"
    "node menu_item { point design_size = 0, 50\n"
    "  child { string type = \"probe_text\" string id = \"#text\" }\n"
    "  child { string type = \"node\" string id = \"checked\" } child { string type = \"node\" string id = \"separator\" } }\n"
    "node menu_itemDisabled { point design_size = 0, 50\n"
    "  child { string type = \"probe_text\" string id = \"#text\" }\n"
    "  child { string type = \"node\" string id = \"greyed\" } }\n"
    "node Empty { }\n";

// A menu over an application of 480 x 800 without a window.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = compile_skin(folder.path(), "menu", MENU_SKIN);
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
        {
            std::ofstream language(folder.file("test.lng"));
            language << "main=Main menu\n";
        }
        ASSERT_TRUE(properties.load_language_file(utf8_to_utf16(folder.file("test.lng"))));
        commands.menus[u"main"] = {item(u"about"), item(u"view"), item(u"print", false)};
        commands.menus[u"view"] = {item(u"grid", true, true), item(u"stars")};
        menu = std::make_unique<Menu>(properties, &commands, 7);
    }
    void TearDown() override { menu.reset(); }

    // One frame: lays the top screen out and draws it.
    void frame()
    {
        application.advance(0.04);
        RenderSurface surface({480, 800});
        application.screens().render(surface);
    }
    void tap(int32_t y)
    {
        application.screens().pointer_button(PointerEvent{200, y, 0, 0, true, false});
        application.screens().pointer_button(PointerEvent{200, y, 0, 0, false, false});
    }
    Element& entry(int32_t index) const { return *menu->list().item_at_index(index); }
    std::u16string text_of(int32_t index) const
    {
        return static_cast<TextProbe*>(entry(index).find_child(u"#text"))->shown;
    }

    Application application{u"Menu Test", WindowSettings{480, 800, 0, true}};
    const NodeRegistration probe{u"probe_text", factory_of<TextProbe>()};
    TemporaryFolder folder;
    Properties properties;
    Commands commands;
    std::unique_ptr<Menu> menu;
};

TEST_F(MenuTest, OpensAsAnOverlayWithItsEntriesAndCaptionAndBackspaceClosesIt)
{
    menu->open(u"main", u"", true);
    frame();
    EXPECT_EQ(application.screens().top(), &menu->screen());
    EXPECT_TRUE(application.screens().top_is_overlay());
    EXPECT_EQ(static_cast<TextProbe*>(menu->screen().find_child(u"caption"))->shown, u"Main menu");
    EXPECT_EQ(text_of(0), u"about");
    EXPECT_EQ(entry(1).y(), 90);
    EXPECT_EQ(commands.contexts, (std::vector<int32_t>{7}));
    EXPECT_FALSE(application.screens().key(KeyEvent{KEY_UP, true, true}));
    EXPECT_TRUE(application.screens().key(KeyEvent{KEY_BACKSPACE, true, true}));
    EXPECT_FALSE(menu->is_open());
}

TEST_F(MenuTest, ACommandClosesTheMenuAndASubmenuReplacesTheList)
{
    menu->open(u"main", u"", true);
    frame();
    tap(110);
    frame();
    EXPECT_TRUE(menu->is_open());
    EXPECT_EQ(menu->caption_text(), u"View options");
    EXPECT_EQ(menu->list().count(), 2);
    EXPECT_EQ(text_of(0), u"grid");

    tap(110);
    EXPECT_EQ(commands.performed, (std::vector<std::u16string>{u"stars"}));
    EXPECT_FALSE(menu->is_open());
    EXPECT_EQ(application.screens().top(), nullptr);
}

TEST_F(MenuTest, ReopeningWithTheSameEntriesOnlyRefreshesThem)
{
    menu->open(u"view", u"", true);
    frame();
    const VisibilityAnimation& slide = *menu->panel().visibility_animation();
    EXPECT_TRUE(slide.running());
    for (int i = 0; i < 50; ++i)
        frame();
    ASSERT_FALSE(slide.running());
    Element* grid = &entry(0);
    EXPECT_TRUE(grid->find_child(u"checked")->visible());
    commands.menus[u"view"][0].checked = false;
    menu->open(u"view", u"", false);
    EXPECT_EQ(&entry(0), grid);
    EXPECT_FALSE(grid->find_child(u"checked")->visible());
    EXPECT_FALSE(slide.running());
    EXPECT_TRUE(menu->panel().visible());
    // Other entries: a new list, sliding in again.
    menu->open(u"main", u"", false);
    EXPECT_TRUE(slide.running());
    EXPECT_EQ(menu->list().count(), 3);
}

TEST_F(MenuTest, ADisabledEntryUsesItsOwnTemplateAndIgnoresTaps)
{
    menu->open(u"main", u"", true);
    frame();
    EXPECT_NE(entry(2).find_child(u"greyed"), nullptr);
    EXPECT_EQ(entry(0).find_child(u"greyed"), nullptr);
    tap(160);
    EXPECT_TRUE(commands.performed.empty());
    EXPECT_TRUE(menu->is_open());
}

TEST_F(MenuTest, MissingNodesAreNamed)
{
    EXPECT_THROW(Menu(properties, &commands, 0, u"menu_item", u"Nowhere"), skincore::NodeNotFoundInSkin);
    EXPECT_THROW(Menu(properties, &commands, 0, u"menu_item", u"Empty"), skincore::NodeNotFound);
    Menu missing_template(properties, &commands, 0, u"no_such_item");
    EXPECT_THROW(missing_template.open(u"main", u"", true), skincore::NodeNotFoundInSkin);
    EXPECT_EQ(missing_template.list().realized_count(), 0u);
}

} // namespace

} // namespace stellaro
