#include "platform/utf.h"
#include "skin/elements/element_factory.h"
#include "skin/kinds/spinner.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace stellaro {

namespace {

// Accepts every proposal (unless told not to) and snaps to the target the spinner aimed at.
class Listener : public SpinnerListener {
public:
    void value_changed(Spinner&, int32_t crossings) override { changes.push_back(crossings); }
    void value_proposed(Spinner& spinner, const SpinnerProposal& proposal) override
    {
        proposals.push_back(proposal);
        if (accept)
            spinner.set_value(proposal.raw);
    }
    void snap_target(Spinner& spinner) override { aimed = spinner.target(); }
    std::unique_ptr<Element> make_row_element(Spinner& spinner, int32_t row) override
    {
        made.push_back(row);
        return std::make_unique<Element>(&spinner);
    }

    bool accept = true;
    std::vector<int32_t> changes;
    std::vector<SpinnerProposal> proposals;
    std::vector<int32_t> made;
    double aimed = 0;
};

PointerEvent pointer(int32_t y, uint32_t time_ms, bool down = false)
{
    PointerEvent event;
    event.x = 10;
    event.y = y;
    event.time = time_ms;
    event.down = down;
    return event;
}

// A spinner 100 x 300 with 60-pixel rows.
class SpinnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        spinner.set_listener(&listener);
        spinner.set_visible(true);
        spinner.set_horizontal(0, 100);
        spinner.set_vertical(0, 300);
    }
    std::vector<int32_t> cached_rows() const
    {
        std::vector<int32_t> rows;
        for (const auto& [row, element] : spinner.row_cache())
            rows.push_back(row);
        return rows;
    }

    Listener listener;
    Spinner spinner;
};

TEST_F(SpinnerTest, ACyclicValueWrapsAndCountsTheTurn)
{
    spinner.set_range(12, true);
    spinner.set_value(12.5);
    EXPECT_DOUBLE_EQ(spinner.value(), 0.5);
    EXPECT_EQ(listener.changes, (std::vector<int32_t>{1}));
    EXPECT_DOUBLE_EQ(spinner.target(), -12.0);
    spinner.set_value(-0.5);
    EXPECT_DOUBLE_EQ(spinner.value(), 11.5);
    EXPECT_EQ(listener.changes.back(), -1);
    // Not a number: refused.
    spinner.set_value(std::numeric_limits<double>::quiet_NaN());
    spinner.set_value(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(spinner.value(), 11.5);
    ElementState state;
    spinner.describe(state);
    EXPECT_EQ(state.value, 11.5);
}

TEST_F(SpinnerTest, ASnapOfThreeRowsTakesTheSquareRootOfPointOneFiveSecondsAndEndsExactly)
{
    spinner.set_range(10, false);
    spinner.set_target(3);
    double elapsed = 0;
    while (spinner.snap_time() > 0 && elapsed < 2) {
        spinner.update(0.001);
        elapsed += 0.001;
    }
    EXPECT_NEAR(elapsed, std::sqrt(0.15), 0.0015);
    EXPECT_EQ(spinner.value(), 3.0);
    // Slowing down: the first half of the time covers three quarters of the way.
    spinner.set_target(7);
    for (int i = 0; i < 50; ++i)
        spinner.update(std::sqrt(0.2) / 100);
    EXPECT_NEAR(spinner.value(), 6.0, 0.01);
}

TEST_F(SpinnerTest, AFlickAimsAsManyRowsAheadAsItsSpeedAndAPressStopsTheSnap)
{
    spinner.set_range(100, false);
    spinner.set_value(50);
    spinner.on_pointer_button(pointer(200, 0, true));
    spinner.on_pointer_move(pointer(175, 50));
    EXPECT_NEAR(spinner.value(), 50 + 25.0 / 60, 1e-9);
    spinner.on_pointer_button(pointer(175, 50));
    EXPECT_NEAR(listener.aimed - spinner.value(), 500.0 / 60, 1e-9);
    spinner.update(0.01);
    EXPECT_GT(spinner.snap_time(), 0.0);
    spinner.on_pointer_button(pointer(175, 100, true));
    EXPECT_EQ(spinner.snap_time(), 0.0);
}

TEST_F(SpinnerTest, PulledHalfItsHeightPastTheFirstRowItStops)
{
    spinner.set_range(10, false);
    spinner.on_pointer_button(pointer(10, 0, true));
    spinner.on_pointer_move(pointer(160, 20));
    EXPECT_DOUBLE_EQ(spinner.value(), -2.5);
    spinner.on_pointer_move(pointer(200, 40));
    EXPECT_DOUBLE_EQ(spinner.value(), -2.5);
    // Let go past the end: no flick, the listener still chooses where it ends.
    spinner.on_pointer_button(pointer(200, 60));
    EXPECT_EQ(listener.aimed, -2.5);
}

TEST_F(SpinnerTest, RowsAreMadeOnceAndThoseNotDrawnGoAndWithoutRowsNothingHappens)
{
    spinner.set_range(24, true);
    RenderSurface surface({100, 300});
    spinner.draw(surface, {0, 0});
    // Row 0 in the middle, two rows either side.
    EXPECT_EQ(cached_rows(), (std::vector<int32_t>{22, 23, 0, 1, 2}));
    // Half a row on: the outer rows only partly in view.
    spinner.set_value(0.5);
    spinner.draw(surface, {0, 0});
    EXPECT_EQ(cached_rows(), (std::vector<int32_t>{22, 23, 0, 1, 2, 3}));
    EXPECT_EQ(listener.made.size(), 6u);
    EXPECT_EQ(spinner.row_cache()[0].second->y(), -30);
    spinner.set_value(3);
    spinner.draw(surface, {0, 0});
    EXPECT_EQ(cached_rows(), (std::vector<int32_t>{1, 2, 3, 4, 5}));

    spinner.set_range(0, true);
    spinner.draw(surface, {0, 0});
    spinner.on_pointer_button(pointer(10, 0, true));
    spinner.on_pointer_move(pointer(100, 20));
    spinner.on_pointer_button(pointer(150, 40));
    spinner.set_target(4);
    spinner.update(0.1);
    EXPECT_TRUE(spinner.row_cache().empty());
    EXPECT_TRUE(listener.proposals.empty());
}

TEST(SpinnerSkin, ARowSizeThatIsNotPositiveFallsBackToSixty)
{
    TemporaryFolder folder;
    const std::string path = compile_skin(folder.path(), "spinners",
                                          "node Drums { child { string type = \"spinner\" int element_size = 0 }\n"
                                          "  child { string type = \"spinner\" int element_size = 44 } }\n");
    Properties properties;
    ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
    const NodeRegistration kind{u"spinner", factory_of<Spinner>()};
    Element screen;
    ASSERT_TRUE(screen.load_from_skin(properties, u"Drums"));
    EXPECT_EQ(static_cast<Spinner&>(*screen.children()[0]).row_height(), 60);
    EXPECT_EQ(static_cast<Spinner&>(*screen.children()[1]).row_height(), 44);
    // Both take input from the element they were made in.
    EXPECT_EQ(screen.input_children().size(), 2u);
}

} // namespace

} // namespace stellaro
