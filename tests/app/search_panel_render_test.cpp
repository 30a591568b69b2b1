// The search panel of the main screen drawn headless, as `render --open search` does it.
#include "support/golden.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace stellaro {

TEST(SearchPanelRender, TheStarListWithItsRulerAndTheHintInDayAndNightColours)
{
    TemporaryRegistry registry;
    TemporaryFolder folder;
    // The finger held on the ruler: the hint shows the letter beside it.
    write_file(folder.file("script.events"), "wait 80\npress 460 400\nmove 460 560\n");
    for (const bool night : {false, true}) {
        const ProgramRun run = run_program("render --open search --time 2026-12-24T21:00+01:00 --lat 48.85 --lon 2.35 "
                                           "--out " + folder.file("search.png") + " --events " + folder.file("script.events") +
                                           (night ? " --night" : ""));
        ASSERT_EQ(run.status, 0) << run.err;
        const auto picture = read_png_565(folder.file("search.png"));
        ASSERT_TRUE(picture);
        EXPECT_TRUE(matches_golden(*picture, night ? "search-panel-night.png" : "search-panel-day.png"));
    }
}

} // namespace stellaro
