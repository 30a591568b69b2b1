#include "platform/utf.h"
#include "sky/sky_fixture.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <string>

namespace stellaro {

namespace {

const std::string PARIS_EVENING = " --time 2026-12-24T21:00+01:00 --lat 48.85 --lon 2.35 --size 320x240";

class RenderCommand : public ::testing::Test {
protected:
    // Renders into a file of the folder; the picture, or nothing when the program failed.
    std::optional<Picture565> render(const std::string& name, const std::string& arguments, const std::string& events = "")
    {
        std::string options = "render --out " + folder.file(name) + PARIS_EVENING + " " + arguments;
        if (!events.empty()) {
            write_file(folder.file(name + ".events"), events);
            options += " --events " + folder.file(name + ".events");
        }
        const ProgramRun run = run_program(options);
        EXPECT_EQ(run.status, 0) << run.err << run.out;
        return run.status == 0 ? read_png_565(folder.file(name)) : std::nullopt;
    }

    TemporaryRegistry registry;
    TemporaryFolder folder;
};

} // namespace

TEST_F(RenderCommand, BadOptionsAndEventLinesAreOneLineErrors)
{
    const auto fails = [&](const std::string& arguments, const std::string& expected) {
        const ProgramRun run = run_program("render --out " + folder.file("x.png") + " " + arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    };
    fails("--size 320", "--size");
    fails("--hide grid,moon", "moon");
    fails("--select body:Pluto", "Pluto");
    fails("--select constellation:Xyz", "Xyz");
    // Comments and blank lines count as lines.
    write_file(folder.file("bad.events"), "# a comment\n\nkey NOPE down\n");
    fails("--events " + folder.file("bad.events"), "line 3");
    fails("--events " + folder.file("missing.events"), "missing.events");
    write_file(folder.file("plain"), "a file, not a folder");
    const ProgramRun unwritable = run_program("render --frames 1 --out " + folder.file("plain/x.png"));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("plain/x.png"), std::string::npos);
}

TEST_F(RenderCommand, ATapSelectsTheNearestObjectAndTheViewTurnsToIt)
{
    const std::string plain = "--hide background,stars,constellations --az 200 --alt 30";
    Point saturn;
    {
        SkyWorld world(Size{320, 240});
        world.look(200.0, 30.0);
        world.sky->settle_bodies();
        const SelectedPoint point = world.sky->selected_object_point(SkyObject::of(Body::saturn));
        ASSERT_TRUE(point.found);
        saturn = point.point;
    }
    ASSERT_GT(saturn.x, 20);
    ASSERT_LT(saturn.x, 300);
    const std::string tap = "press " + std::to_string(saturn.x) + " " + std::to_string(saturn.y) + "\nrelease " +
                            std::to_string(saturn.x) + " " + std::to_string(saturn.y) + "\n";
    const auto tapped = render("tapped.png", plain + " --frames 1", "wait 1000\n" + tap + "wait 3000\n");
    const auto selected = render("selected.png", plain + " --select body:6 --frames 101");
    const auto untouched = render("untouched.png", plain + " --frames 101");
    ASSERT_TRUE(tapped && selected && untouched);
    EXPECT_EQ(std::pair(tapped->width, tapped->height), std::pair(320, 240));
    EXPECT_EQ(tapped->pixels, selected->pixels);
    EXPECT_GT(std::transform_reduce(tapped->pixels.begin(), tapped->pixels.end(), untouched->pixels.begin(), 0, std::plus<>(),
                                    std::not_equal_to<>()),
              100);
}

} // namespace stellaro
