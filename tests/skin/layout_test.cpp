#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/elements/layout.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <array>

namespace stellaro {

namespace {

// Each anchor mode once, and the cases where the parent is too small.
TEST(Layout, PlacementAlongOneAxis)
{
    const struct {
        AnchorMode mode;
        int32_t border_min, size, border_max, parent;
        Placement placed;
    } cases[] = {
        {AnchorMode::CENTER, 0, 30, 0, 101, {35, 30}},
        {AnchorMode::MAX_SIDE, 0, 20, 10, 100, {70, 20}},
        {AnchorMode::BOTH_SIDE, 10, 0, 10, 15, {10, 0}},
        {AnchorMode::MIN_SIDE, 5, 200, 0, 100, {5, 95}},
        {AnchorMode::RATIO, 5, 20, 5, 100, {5, 20}},
        // The NO_SIZE modes keep their measured size, however large.
        {AnchorMode::MIN_SIDE_NO_SIZE, 5, 200, 0, 100, {5, 200}},
        {AnchorMode::MAX_SIDE_NO_SIZE, 0, 300, 10, 100, {0, 300}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(place_along(test.mode, test.border_min, test.size, test.border_max, test.parent), test.placed)
            << static_cast<int>(test.mode) << " " << test.size;
}

using Box = std::array<int32_t, 4>;
Box box(const Element& element) { return {element.x(), element.y(), element.width(), element.height()}; }

// Placement is redone only where something changed.
TEST(Layout, InvalidatingAMeasureRedoesThePlacement)
{
    Element root;
    auto owned = std::make_unique<Element>(&root);
    Element* child = owned.get();
    child->design_size = {10, 10};
    child->anchor_x = AnchorMode::CENTER;
    root.add_child(std::move(owned));
    root.set_horizontal(0, 100);
    root.set_vertical(0, 50);
    EXPECT_EQ(child->x(), 45);
    EXPECT_FALSE(root.needs_layout());

    child->design_size = {20, 10};
    child->invalidate_measure();
    EXPECT_TRUE(root.needs_layout());
    root.set_horizontal(0, 100);
    root.set_vertical(0, 50);
    EXPECT_EQ(box(*child), (Box{40, 0, 20, 50}));
    EXPECT_FALSE(child->needs_layout());
}

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
    screen.set_visible(true);
    screen.set_horizontal(0, 240);
    screen.set_vertical(0, 320);

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
