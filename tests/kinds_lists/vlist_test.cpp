#include "platform/utf.h"
#include "skin/elements/element_factory.h"
#include "skin/kinds/vlist.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stellaro {

namespace {

// A row of row_px with the three state decorations.
class Row : public VListItem {
public:
    Row(Element* owner, int32_t row_px) : VListItem(owner)
    {
        design_size = {0, row_px};
        for (const char16_t* id : {u"#vlist_normal", u"#vlist_pressed", u"#vlist_selected"}) {
            add_child(std::make_unique<Element>(this));
            children().back()->set_id(id);
        }
    }
    void bind(VList&, bool) override {}
    // The decoration shown: "normal", "pressed" or "selected" (after the "#vlist_").
    std::string look() const
    {
        std::string shown;
        for (const auto& child : children())
            shown += child->visible() ? utf16_to_utf8(child->id()).substr(7) : "";
        return shown;
    }
};

class Source : public VListSource {
public:
    void item_clicked(VList&, int32_t index) override { clicks.push_back(index); }
    std::unique_ptr<VListItem> create_item(VList& list, int32_t index) override
    {
        return index < existing ? std::make_unique<Row>(&list, row_px) : nullptr;
    }

    int32_t row_px = 40;
    int32_t existing = 1 << 30;
    std::vector<int32_t> clicks;
};

PointerEvent pointer(int32_t y, uint32_t time_ms, bool down = false)
{
    PointerEvent event;
    event.x = 100;
    event.y = y;
    event.time = time_ms;
    event.down = down;
    return event;
}

// Lists from a compiled skin, filling a 480 x 400 screen; rows of 40.
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
    // Frames of 40 ms until the list rests.
    void settle()
    {
        for (int i = 0; i < 500; ++i)
            list->update(0.04);
    }
    void drag(int32_t from_y, int32_t to_y, uint32_t time_ms)
    {
        list->on_pointer_button(pointer(from_y, 0, true));
        list->on_pointer_move(pointer(to_y, time_ms));
        list->on_pointer_button(pointer(to_y, time_ms));
    }

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
    list->scroll_to(100);
    list->fill();
    EXPECT_EQ(list->first_index(), 100);
    EXPECT_EQ(row(100).y(), 0);

    // Past the end: the last item sits at the bottom.
    list->scroll_to(25005);
    RenderSurface surface({480, 400});
    list->draw(surface, {0, 0});
    EXPECT_EQ(row(24999).y(), 360);
    EXPECT_EQ(list->realized_count(), 10u);
    ElementState state;
    list->describe(state);
    EXPECT_EQ(state.first_item, 24990);
    EXPECT_EQ(state.selection, -1);

    // A source without the item shrinks the count.
    source.existing = 3;
    open(20);
    EXPECT_EQ(list->count(), 3);
}

TEST_F(VListTest, ATapClicksANinePixelWobbleStillDoesATenPixelDragCancels)
{
    open(100);
    list->on_pointer_button(pointer(50, 0, true));
    EXPECT_EQ(row(1).look(), "pressed");
    list->on_pointer_button(pointer(50, 80));
    EXPECT_EQ(row(1).look(), "normal");
    drag(50, 59, 20);
    EXPECT_EQ(source.clicks, (std::vector<int32_t>{1, 1}));
    drag(50, 40, 20);
    EXPECT_EQ(source.clicks.size(), 2u);
}

TEST_F(VListTest, DecorationsFollowPressAndSelection)
{
    open(100);
    list->set_selection(2);
    EXPECT_EQ(row(2).look() + row(3).look(), "selectednormal");
    list->on_pointer_button(pointer(90, 0, true));
    EXPECT_EQ(row(2).look(), "pressed");
    list->on_pointer_move(pointer(140, 20));
    EXPECT_EQ(row(2).look(), "selected");
    list->set_selection(3);
    EXPECT_EQ(row(2).look() + row(3).look(), "normalselected");
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

TEST_F(VListTest, AFlingIsClampedAndStopsInsideTheListOrSpringsBackFromTheEnd)
{
    open(1000);
    drag(300, 150, 50);
    EXPECT_EQ(list->velocity(), -2000.0);
    settle();
    EXPECT_EQ(list->velocity(), 0.0);
    EXPECT_GT(list->first_index(), 10);
    EXPECT_LT(list->first_index(), 100);

    open(12);
    drag(300, 200, 50);
    settle();
    EXPECT_EQ(row(11).y(), 360);
}

TEST_F(VListTest, ALockedListDoesNotScrollButStillClicks)
{
    load(u"Locked");
    open(100);
    drag(100, 50, 50);
    EXPECT_EQ(list->offset(), 0.0);
    EXPECT_EQ(list->velocity(), 0.0);
    drag(100, 100, 20);
    EXPECT_EQ(source.clicks, (std::vector<int32_t>{2}));
}

TEST_F(VListTest, RemovedItemsShrinkAwayAndLaterIndicesMoveUp)
{
    open(100);
    Row* fourth = &row(3);
    list->remove_item(2);
    EXPECT_EQ(list->count(), 99);
    EXPECT_EQ(fourth->index(), 2);
    list->update(0.1);
    EXPECT_EQ(fourth->y(), 100);
    settle();
    EXPECT_EQ(fourth->y(), 80);
    EXPECT_EQ(list->realized_count(), 10u);
}

TEST_F(VListTest, AGrowingListMeasuresItsContentAndBorders)
{
    load(u"Grow");
    source.row_px = 20;
    open(3);
    EXPECT_GE(list->cached_height().minimum, 70);
}

} // namespace

} // namespace stellaro
