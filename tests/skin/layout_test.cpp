#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/elements/layout.h"
#include "skin_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <array>

namespace stellaro {

namespace {

TEST(Layout, AnchorNamesAreMatchedExactly)
{
    EXPECT_EQ(parse_anchor(u"MAX_SIDE_NO_SIZE", AnchorMode::BOTH_SIDE), AnchorMode::MAX_SIDE_NO_SIZE);
    EXPECT_EQ(parse_anchor(u"center", AnchorMode::BOTH_SIDE), AnchorMode::BOTH_SIDE);
    EXPECT_EQ(parse_anchor(u"", AnchorMode::MIN_SIDE), AnchorMode::MIN_SIDE);
}

TEST(Layout, PlacementOfTheExamples)
{
    // CENTER, borders 0: a 30-wide child in 101 sits at 35; a 150-wide one fills the parent.
    EXPECT_EQ(place_along(AnchorMode::CENTER, 0, 30, 0, 101), (Placement{35, 30}));
    EXPECT_EQ(place_along(AnchorMode::CENTER, 0, 150, 0, 101), (Placement{0, 101}));
    EXPECT_EQ(place_along(AnchorMode::CENTER, 10, 30, 20, 100), (Placement{10 + 35 - 15, 30}));
    // MAX_SIDE with border_max 10.
    EXPECT_EQ(place_along(AnchorMode::MAX_SIDE, 0, 20, 10, 100), (Placement{70, 20}));
    EXPECT_EQ(place_along(AnchorMode::MAX_SIDE, 0, 200, 10, 100), (Placement{0, 90}));
    // BOTH_SIDE narrower than its borders: width 0 at border_min.
    EXPECT_EQ(place_along(AnchorMode::BOTH_SIDE, 10, 0, 10, 15), (Placement{10, 0}));
    EXPECT_EQ(place_along(AnchorMode::BOTH_SIDE, 10, 0, 10, 100), (Placement{10, 80}));
    EXPECT_EQ(place_along(AnchorMode::MIN_SIDE, 5, 200, 0, 100), (Placement{5, 95}));
    EXPECT_EQ(place_along(AnchorMode::RATIO, 5, 20, 5, 100), (Placement{5, 20}));
    // The NO_SIZE modes keep their measured size, however large.
    EXPECT_EQ(place_along(AnchorMode::MIN_SIDE_NO_SIZE, 5, 200, 0, 100), (Placement{5, 200}));
    EXPECT_EQ(place_along(AnchorMode::MAX_SIDE_NO_SIZE, 0, 30, 10, 100), (Placement{60, 30}));
    EXPECT_EQ(place_along(AnchorMode::MAX_SIDE_NO_SIZE, 0, 300, 10, 100), (Placement{0, 300}));
}

using Box = std::array<int32_t, 4>;
Box box(const Element& element) { return {element.x(), element.y(), element.width(), element.height()}; }

std::unique_ptr<Element> child_of(Element& parent, AnchorMode x, Point border_min, Point size, Point border_max)
{
    auto child = std::make_unique<Element>(&parent);
    child->anchor_x = x;
    child->anchor_y = x;
    child->border_min = border_min;
    child->design_size = size;
    child->border_max = border_max;
    child->set_visible(true);
    return child;
}

TEST(Layout, MeasurementFollowsTheChildrenAndNoSizeOnesKeepTheirSize)
{
    Element parent;
    parent.design_size = {20, 10};
    parent.add_child(child_of(parent, AnchorMode::BOTH_SIDE, {3, 3}, {30, 5}, {4, 4}));
    EXPECT_EQ(parent.cached_width(), (Measure{37, 37}));
    EXPECT_EQ(parent.cached_height(), (Measure{12, 12}));
    parent.add_child(child_of(parent, AnchorMode::MIN_SIDE_NO_SIZE, {0, 0}, {500, 500}, {0, 0}));
    EXPECT_EQ(parent.cached_width(), (Measure{37, 37}));
    parent.add_child(child_of(parent, AnchorMode::MAX_SIDE, {0, 0}, {50, 1}, {2, 2}));
    EXPECT_EQ(parent.cached_width(), (Measure{52, 52}));
    // Wider than its parent, a NO_SIZE child keeps its own size.
    parent.set_horizontal(0, 40);
    parent.set_vertical(0, 20);
    EXPECT_EQ(box(*parent.children()[1]), (Box{0, 0, 500, 500}));
}

class CountingElement : public Element {
public:
    using Element::Element;
    void arrange_x() override
    {
        ++arranged;
        Element::arrange_x();
    }
    void measure_width(Measure& measure) override
    {
        ++measured;
        Element::measure_width(measure);
    }
    int arranged = 0;
    int measured = 0;
};

TEST(Layout, UnchangedPlacementCostsNothingAndInvalidationRedoesIt)
{
    Element root;
    auto owned = std::make_unique<CountingElement>(&root);
    CountingElement* child = owned.get();
    child->design_size = {10, 10};
    child->anchor_x = AnchorMode::CENTER;
    root.add_child(std::move(owned));
    root.set_horizontal(0, 100);
    EXPECT_EQ(child->x(), 45);
    EXPECT_EQ(child->arranged, 1);
    EXPECT_EQ(child->measured, 1);
    root.set_horizontal(0, 100);
    EXPECT_EQ(child->arranged, 1);
    EXPECT_EQ(child->measured, 1);

    child->design_size = {20, 10};
    child->invalidate_measure();
    EXPECT_TRUE(root.needs_layout());
    root.set_horizontal(0, 100);
    root.set_vertical(0, 50);
    EXPECT_EQ(child->x(), 40);
    EXPECT_EQ(child->width(), 20);
    EXPECT_EQ(child->measured, 2);
    EXPECT_FALSE(root.needs_layout());
    EXPECT_FALSE(child->needs_layout());
}

class Observer : public LayoutObserver {
public:
    void horizontal_changed(Element&) override { ++horizontal; }
    void vertical_changed(Element&) override { ++vertical; }
    int horizontal = 0;
    int vertical = 0;
};

TEST(Layout, SmallTreeFromASkin)
{
    TemporaryFolder folder;
    const std::string skin = compile_skin(
        folder.path(), "tree",
        "node Screen { point design_size = 10, 10\n"
        "  child { string type = \"node\" string id = \"bar\" string anchor_y = \"MAX_SIDE\" point design_size = 0, 30\n"
        "          point border_min = 5, 0 point border_max = 5, 2\n"
        "    child { string type = \"node\" string id = \"knob\" string anchor_x = \"CENTER\" string anchor_y = \"CENTER\"\n"
        "            point design_size = 20, 10 } }\n"
        "  child { string type = \"node\" string id = \"corner\" string anchor_x = \"MIN_SIDE\" string anchor_y = \"MIN_SIDE\"\n"
        "          point border_min = 3, 4 point design_size = 50, 60 } }\n");
    ASSERT_FALSE(skin.empty());
    Properties properties;
    ASSERT_TRUE(properties.load_skin(utf8_to_utf16(skin), 96));
    const NodeRegistration node(u"node", factory_of<Element>());

    Element screen;
    ASSERT_TRUE(screen.load_from_skin(properties, u"Screen"));
    EXPECT_FALSE(screen.load_from_skin(properties, u"Absent"));
    EXPECT_EQ(screen.children().size(), 2u);
    Observer observer;
    screen.layout_observer = &observer;
    screen.set_visible(true);
    screen.set_horizontal(0, 240);
    screen.set_vertical(0, 320);
    EXPECT_EQ(observer.horizontal, 1);
    EXPECT_EQ(observer.vertical, 1);

    Element* bar = screen.find_child(u"bar");
    Element* knob = screen.find_child(u"knob");
    Element* corner = screen.find_child(u"corner");
    ASSERT_TRUE(bar && knob && corner);
    EXPECT_EQ(knob->parent(), bar);
    EXPECT_EQ(box(*bar), (Box{5, 288, 230, 30}));
    EXPECT_EQ(box(*knob), (Box{5 + 105, 288 + 10, 20, 10}));
    EXPECT_EQ(box(*corner), (Box{3, 4, 50, 60}));
    // The screen needs the corner, the bar and its borders.
    EXPECT_EQ(screen.cached_width(), (Measure{53, 53}));
    EXPECT_EQ(screen.cached_height(), (Measure{64, 64}));
}

} // namespace

} // namespace stellaro
