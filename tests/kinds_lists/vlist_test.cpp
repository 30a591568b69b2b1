#include "platform/utf.h"
#include "skin/elements/element_factory.h"
#include "skin/kinds/vlist.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace stellaro {

namespace {

class Source;

// A row as tall as the source says, with the three state decorations.
class Row : public VListItem {
public:
    Row(Element* owner, const Source& source) : VListItem(owner), source(source)
    {
        for (const char16_t* id : {u"#vlist_normal", u"#vlist_pressed", u"#vlist_selected"}) {
            auto decoration = std::make_unique<Element>(this);
            decoration->set_id(id);
            add_child(std::move(decoration));
        }
    }
    void bind(VList&, bool) override;
    // Which decoration shows: "normal", "pressed" or "selected".
    std::string look() const
    {
        std::string shown;
        for (const auto& child : children()) {
            if (child->visible())
                shown += child->id() == u"#vlist_normal" ? "normal" : child->id() == u"#vlist_pressed" ? "pressed" : "selected";
        }
        return shown;
    }

    const Source& source;
    int binds = 0;
};

class Source : public VListSource {
public:
    void item_clicked(VList&, int32_t index) override { clicks.push_back(index); }
    std::unique_ptr<VListItem> create_item(VList& list, int32_t index) override
    {
        if (index >= existing)
            return nullptr;
        return std::make_unique<Row>(&list, *this);
    }
    int32_t height_of(int32_t index) const
    {
        const auto height = heights.find(index);
        return height == heights.end() ? row_px : height->second;
    }

    int32_t row_px = 40;
    int32_t existing = 1 << 30;
    std::map<int32_t, int32_t> heights;
    std::vector<int32_t> clicks;
};

void Row::bind(VList&, bool)
{
    design_size = {0, source.height_of(index())};
    invalidate_measure();
    ++binds;
}

PointerEvent pointer(int32_t y, uint32_t time_ms, bool down = false)
{
    PointerEvent event;
    event.x = 100;
    event.y = y;
    event.time = time_ms;
    event.down = down;
    return event;
}

// Lists from a compiled skin, filling a 480 x 400 screen.
class VListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = compile_skin(
            folder.path(), "lists",
            "node Plain { child { string type = \"vlist\" string id = \"list\" } }\n"
            "node Locked { child { string type = \"vlist\" string id = \"list\" int locked = 1 } }\n"
            "node Grow { child { string type = \"vlist\" string id = \"list\" string anchor_y = \"MIN_SIDE\"\n"
            "    int grow = 1 point scroll_border_min = 0, 4 point scroll_border_max = 0, 6 } }\n");
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
        load(u"Plain");
    }
    void load(const char16_t* node)
    {
        ASSERT_TRUE(screen.load_from_skin(properties, node));
        list = dynamic_cast<VList*>(screen.find_child(u"list"));
        ASSERT_NE(list, nullptr);
        screen.set_visible(true);
        screen.set_horizontal(0, 480);
        screen.set_vertical(0, 400);
    }
    void open(int32_t count)
    {
        list->set_source(&source, count);
        list->fill();
    }
    Row& row(int32_t index) const { return *static_cast<Row*>(list->item_at_index(index)); }
    // Steps of 40 ms until the list rests.
    void settle()
    {
        for (int i = 0; i < 500; ++i)
            list->update(0.04);
    }
    // The y on screen of the item's top.
    int32_t top_of(int32_t index) const { return row(index).y(); }

    TemporaryFolder folder;
    Properties properties;
    const NodeRegistration kind{u"vlist", factory_of<VList>()};
    Element screen;
    VList* list = nullptr;
    Source source;
};

TEST_F(VListTest, OnlyTheItemsInViewExistAndScrollingToAnIndexShowsIt)
{
    open(25000);
    EXPECT_EQ(list->realized_count(), 10u);
    EXPECT_EQ(list->first_index(), 0);
    EXPECT_EQ(list->item_at_index(10), nullptr);

    list->scroll_to(100);
    list->fill();
    EXPECT_EQ(list->first_index(), 100);
    EXPECT_EQ(top_of(100), 0);

    // Past the end: the last item sits at the bottom.
    list->scroll_to(25005);
    list->fill();
    ASSERT_NE(list->item_at_index(24999), nullptr);
    EXPECT_EQ(top_of(24999) + 40, 400);
    EXPECT_LE(list->realized_count(), 11u);
    ElementState state;
    list->describe(state);
    EXPECT_EQ(state.first_item, 24990);
    EXPECT_EQ(state.selection, -1);

    RenderSurface surface({480, 400});
    list->draw(surface, {0, 0});
    EXPECT_LE(list->realized_count(), 11u);
}

TEST_F(VListTest, ASourceWithoutTheItemShrinksTheCount)
{
    source.existing = 3;
    open(20);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->realized_count(), 3u);
}

TEST_F(VListTest, ATapClicksANinePixelWobbleStillDoesATenPixelDragCancels)
{
    open(100);
    list->on_pointer_button(pointer(50, 0, true));
    EXPECT_EQ(row(1).look(), "pressed");
    list->on_pointer_button(pointer(50, 80));
    EXPECT_EQ(source.clicks, (std::vector<int32_t>{1}));
    EXPECT_EQ(row(1).look(), "normal");

    list->on_pointer_button(pointer(50, 100, true));
    list->on_pointer_move(pointer(59, 120));
    list->on_pointer_button(pointer(59, 140));
    EXPECT_EQ(source.clicks, (std::vector<int32_t>{1, 1}));

    list->on_pointer_button(pointer(50, 200, true));
    list->on_pointer_move(pointer(40, 220));
    EXPECT_EQ(row(1).look(), "normal");
    list->on_pointer_button(pointer(40, 240));
    EXPECT_EQ(source.clicks.size(), 2u);
}

TEST_F(VListTest, DecorationsFollowPressAndSelection)
{
    open(100);
    list->set_selection(2);
    EXPECT_EQ(row(2).look(), "selected");
    EXPECT_EQ(row(3).look(), "normal");
    list->on_pointer_button(pointer(90, 0, true));
    EXPECT_EQ(row(2).look(), "pressed");
    list->on_pointer_move(pointer(140, 20));
    EXPECT_EQ(row(2).look(), "selected");
    list->set_selection(3);
    EXPECT_EQ(row(2).look(), "normal");
    EXPECT_EQ(row(3).look(), "selected");
}

TEST_F(VListTest, DraggingPastTheTopIsResistedAndSpringsBack)
{
    open(100);
    list->on_pointer_button(pointer(100, 0, true));
    list->on_pointer_move(pointer(200, 20));
    EXPECT_DOUBLE_EQ(list->offset(), 100.0);
    // A quarter of the height past the top: the content moves half as far as the finger.
    list->on_pointer_move(pointer(210, 40));
    EXPECT_DOUBLE_EQ(list->offset(), 105.0);
    list->on_pointer_button(pointer(210, 60));
    EXPECT_EQ(list->velocity(), 0.0);
    settle();
    EXPECT_DOUBLE_EQ(list->offset(), 0.0);
}

TEST_F(VListTest, AFlingIsClampedAndComesToRestInsideTheList)
{
    open(1000);
    list->on_pointer_button(pointer(300, 0, true));
    list->on_pointer_move(pointer(150, 50));
    list->on_pointer_button(pointer(150, 50));
    EXPECT_EQ(list->velocity(), -2000.0);
    list->update(0.04);
    EXPECT_GT(list->first_index(), 3);
    settle();
    EXPECT_EQ(list->velocity(), 0.0);
    const int32_t first = list->first_index();
    EXPECT_GT(first, 10);
    EXPECT_LT(first, 100);
    // A press while it moves presses nothing.
    list->on_pointer_button(pointer(300, 1000, true));
    list->on_pointer_move(pointer(100, 1050));
    list->on_pointer_button(pointer(100, 1050));
    list->update(0.04);
    list->on_pointer_button(pointer(100, 1100, true));
    list->on_pointer_button(pointer(100, 1150));
    EXPECT_TRUE(source.clicks.empty());
}

TEST_F(VListTest, FlingingPastTheEndSpringsBackToTheBottom)
{
    open(12);
    list->on_pointer_button(pointer(300, 0, true));
    list->on_pointer_move(pointer(200, 50));
    list->on_pointer_button(pointer(200, 50));
    settle();
    EXPECT_EQ(list->velocity(), 0.0);
    EXPECT_EQ(top_of(11) + 40, 400);
}

TEST_F(VListTest, ALockedListDoesNotScrollButStillClicks)
{
    load(u"Locked");
    open(100);
    EXPECT_TRUE(list->locked());
    list->on_pointer_button(pointer(100, 0, true));
    list->on_pointer_move(pointer(50, 50));
    list->on_pointer_button(pointer(50, 60));
    EXPECT_EQ(list->offset(), 0.0);
    EXPECT_EQ(list->velocity(), 0.0);
    list->on_pointer_button(pointer(100, 100, true));
    list->on_pointer_button(pointer(100, 120));
    EXPECT_EQ(source.clicks, (std::vector<int32_t>{2}));
}

TEST_F(VListTest, RemovedItemsShrinkAwayAndLaterIndicesMoveUp)
{
    open(100);
    Row* third = &row(3);
    list->remove_item(2);
    EXPECT_EQ(list->count(), 99);
    EXPECT_EQ(third->index(), 2);
    EXPECT_EQ(&row(2), third);
    list->update(0.1);
    EXPECT_EQ(top_of(2), 100);
    settle();
    EXPECT_EQ(top_of(2), 80);
    EXPECT_EQ(list->item_at_index(-1), nullptr);
    EXPECT_EQ(list->realized_count(), 10u);
}

TEST_F(VListTest, ChangedHeightsAnimateAndTheSelectionStaysStill)
{
    open(100);
    list->set_selection(5);
    source.heights[1] = 80;
    list->refresh_item(1);
    EXPECT_EQ(row(1).binds, 2);
    EXPECT_EQ(top_of(5), 200);
    list->update(0.1);
    EXPECT_EQ(top_of(5), 200);
    EXPECT_DOUBLE_EQ(row(1).displayed_height(), 60.0);
    settle();
    EXPECT_DOUBLE_EQ(row(1).displayed_height(), 80.0);
    EXPECT_EQ(top_of(5), 200);
}

TEST_F(VListTest, AGrowingListMeasuresItsContentAndBorders)
{
    load(u"Grow");
    source.row_px = 20;
    open(3);
    EXPECT_TRUE(list->grows());
    EXPECT_GE(list->cached_height().minimum, 70);
    screen.set_vertical(0, 400);
    EXPECT_GE(list->height(), 70);
}

} // namespace

} // namespace stellaro
