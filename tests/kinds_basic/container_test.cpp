#include "kinds_fixture.h"

#include "skin/kinds/table_arithmetic.h"

#include <array>
#include <optional>

namespace stellaro {

namespace {

using Slots = std::optional<std::vector<int32_t>>;

TEST(TableSlots, ChildrenGrowTowardTheirFullSizeThenRatiosShareTheRest)
{
    const std::vector<TableCell> cells{{100, 40, 0, 0}, {60, 60, 0, 0}};
    EXPECT_EQ(table_slots(cells, 130), Slots({70, 60}));
    EXPECT_EQ(table_slots(cells, 200), Slots({100, 60}));
    EXPECT_EQ(table_slots({{100, 40, 0, 1}, {60, 60, 0, 1}}, 200), Slots({120, 80}));
    // Ratios share in proportion to themselves, so the slots always fill the table.
    EXPECT_EQ(table_slots({{0, 0, 0, 1}, {0, 0, 0, 3}}, 40), Slots({10, 30}));
    // Growth left over by a child that reached its full size goes to the others.
    EXPECT_EQ(table_slots({{12, 10, 0, 0}, {50, 10, 0, 0}, {50, 10, 0, 0}}, 60), Slots({12, 24, 24}));
}

TEST(TableSlots, ATooShortTableSharesByShrunkSizesAndOneShorterThanItsBordersGivesNothing)
{
    EXPECT_EQ(table_slots({{40, 40, 0, 0}, {60, 60, 0, 0}}, 50), Slots({20, 30}));
    // Cumulative rounding: the parts add up to the length.
    EXPECT_EQ(table_slots({{10, 10, 1, 0}, {10, 10, 1, 0}, {10, 10, 1, 0}}, 23), Slots({7, 8, 8}));
    EXPECT_EQ(table_slots({{10, 10, 6, 0}, {10, 10, 5, 0}}, 11), std::nullopt);
}

const char* const SKIN = R"(
node Tables {
    child { string type = "htable" string id = "row" string anchor_y = "MIN_SIDE" point design_size = 0, 10
        child { string type = "color" string id = "a" point design_size = 30, 10 point border_min = 5, 0
                string anchor_x = "MIN_SIDE" }
        child { string type = "color" string id = "hidden" point design_size = 50, 10 }
        child { string type = "color" string id = "b" int table_ratio = 1 point border_min = 2, 0
                point border_max = 3, 0 }
    }
    child { string type = "vtable" string id = "column" point border_min = 0, 20
        child { string type = "color" string id = "top" point design_size = 0, 20 }
        child { string type = "color" string id = "rest" int table_ratio = 1 }
    }
    child { string type = "clip" string anchor_x = "MIN_SIDE" string anchor_y = "MIN_SIDE"
            point border_min = 5, 25 point design_size = 10, 10
        child { string type = "color" color color = #FF0000 string anchor_x = "MIN_SIDE_NO_SIZE"
                string anchor_y = "MIN_SIDE_NO_SIZE" point design_size = 30, 30 }
    }
}
)";

std::array<int32_t, 2> span_x(const Element& element) { return {element.x(), element.width()}; }

TEST_F(KindsTest, TablesPlaceVisibleChildrenInTheirSlotsHiddenOnesKeepTheirPlaceAndClipsCut)
{
    open(SKIN, u"Tables", {100, 100});
    Element& hidden = find(u"hidden");
    EXPECT_EQ(span_x(hidden), (std::array{35, 50}));
    EXPECT_EQ(span_x(find(u"b")), (std::array{87, 10}));

    hidden.set_visible(false);
    lay_out({100, 100});
    EXPECT_EQ(span_x(find(u"a")), (std::array{5, 30}));
    EXPECT_EQ(span_x(hidden), (std::array{35, 50}));
    EXPECT_EQ(span_x(find(u"b")), (std::array{37, 60}));
    const Element& rest = find(u"rest");
    EXPECT_EQ((std::array{find(u"top").height(), rest.y(), rest.height()}), (std::array{20, 40, 60}));

    // Narrower than the borders: every visible child at the left edge, no width.
    lay_out({8, 100});
    EXPECT_EQ(span_x(find(u"a")), (std::array{0, 0}));
    EXPECT_EQ(span_x(find(u"b")), (std::array{0, 0}));

    // The clip's child reaches beyond it, but draws only inside.
    lay_out({100, 100});
    const RenderSurface target = drawn({100, 100});
    EXPECT_EQ(target.pixel({10, 30}), rgb565(255, 0, 0));
    EXPECT_EQ(target.pixel({20, 40}), target.pixel({99, 99}));
    EXPECT_NE(target.pixel({20, 40}), rgb565(255, 0, 0));
}

} // namespace

} // namespace stellaro
