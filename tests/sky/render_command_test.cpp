#include "platform/utf.h"
#include "sky/sky_fixture.h"

#include <algorithm>
#include <optional>
#include <string>

namespace stellaro {

namespace {

const std::string PARIS_EVENING = " --time 2026-12-24T21:00+01:00 --lat 48.85 --lon 2.35 --size 320x240";

// Pixels that differ between two pictures of one size.
int64_t differing_pixels(const Picture565& a, const Picture565& b)
{
    EXPECT_EQ(a.pixels.size(), b.pixels.size());
    int64_t count = 0;
    for (size_t i = 0; i < std::min(a.pixels.size(), b.pixels.size()); ++i)
        count += a.pixels[i] != b.pixels[i];
    return count;
}

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

TEST_F(RenderCommand, WritesTheScreenAtTheAskedSize)
{
    const auto picture = render("sky.png", "--frames 3 --night");
    ASSERT_TRUE(picture);
    EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(320, 240));
}

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
    fails("--select planet:3", "--select");
    fails("--select body:Pluto", "Pluto");
    fails("--select constellation:Xyz", "Xyz");
    fails("--frames 0", "--frames");
    write_file(folder.file("bad.events"), "press 1 2\nwait 40\nmove 10\n");
    fails("--events " + folder.file("bad.events"), "line 3");
    write_file(folder.file("bad2.events"), "# a comment\n\nkey NOPE down\n");
    fails("--events " + folder.file("bad2.events"), "line 3");
    write_file(folder.file("bad3.events"), "jump 1 2\n");
    fails("--events " + folder.file("bad3.events"), "line 1");
    fails("--events " + folder.file("missing.events"), "missing.events");
    const ProgramRun no_out = run_program("render");
    EXPECT_EQ(no_out.status, 2);
    write_file(folder.file("plain"), "a file, not a folder");
    const ProgramRun unwritable = run_program("render --frames 1 --out " + folder.file("plain/x.png"));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("plain/x.png"), std::string::npos);
}

TEST_F(RenderCommand, ADragPansTheView)
{
    const std::string plain = "--hide background,stars,constellations,planets";
    // 60 pixels to the right on a 240-pixel-high view turn the view 0.25 radians to the west;
    // holding still before the release leaves no inertia.
    const auto dragged = render("dragged.png", plain + " --az 180 --alt 20 --frames 1",
                                "press 160 120\nwait 40\nmove 220 120\nwait 400\nrelease 220 120\n");
    const auto turned = render("turned.png", plain + " --az 165.67605512172942 --alt 20 --frames 12");
    const auto still = render("still.png", plain + " --az 180 --alt 20 --frames 12");
    ASSERT_TRUE(dragged && turned && still);
    EXPECT_LE(differing_pixels(*dragged, *turned), 10);
    EXPECT_GT(differing_pixels(*dragged, *still), 1000);
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
    const auto by_name = render("by_name.png", plain + " --select body:sAtUrN --frames 101");
    const auto untouched = render("untouched.png", plain + " --frames 101");
    ASSERT_TRUE(tapped && selected && by_name && untouched);
    EXPECT_EQ(differing_pixels(*tapped, *selected), 0);
    EXPECT_EQ(differing_pixels(*by_name, *selected), 0);
    EXPECT_GT(differing_pixels(*tapped, *untouched), 100);
}

} // namespace stellaro
