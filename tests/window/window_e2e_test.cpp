// The real window under a private X server (Xvfb), driven with xdotool like a user would.
#include "window/window_fixture.h"

#include <algorithm>

namespace stellaro {

namespace {

class WindowEndToEnd : public WindowFixture {};

TEST_F(WindowEndToEnd, TheSkyWindowPansZoomsAndComesForwardForASecondStart)
{
    start_program("--lat 48.14 --lon 11.58 --time 2026-12-06T22:00+01:00 --dump " + folder.file("dump.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));

    // A drag across the middle turns the sky.
    EXPECT_TRUE(after([&] {
        xdotool("mousemove --window " + window + " 150 400 mousedown 1");
        for (int x = 170; x <= 330; x += 20)
            xdotool("mousemove --window " + window + " " + std::to_string(x) + " 410");
        xdotool("mouseup 1");
    })) << "the drag did not turn the sky";
    // Three notches of the wheel away from the user zoom in (once the drag's glide has ended).
    EXPECT_TRUE(after([&] { xdotool("mousemove --window " + window + " 240 400 click --repeat 3 --delay 50 4"); }))
        << "the wheel did not zoom";

    // A second start hands over and ends; there is still one window, which now shows the place
    // and moment the second start was given.
    ProgramRun second;
    EXPECT_TRUE(after([&] { second = run_program("--lat -33.5 --lon 151.25 --time 2027-03-01T04:30Z", environment()); }))
        << "the handed-over place and moment did not change the sky";
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("already running"), std::string::npos) << second.out;
    const std::string windows = xdotool("search --onlyvisible --name \"^Stellaro II$\"");
    EXPECT_EQ(std::count(windows.begin(), windows.end(), '\n'), 1) << windows;
    ASSERT_EQ(close_program(), 0) << read_file(folder.file("err.txt"));
    const nlohmann::json document = read_dump(folder.file("dump.json"))["document"];
    EXPECT_EQ(document["place"]["latitude"], -33.5);
    EXPECT_EQ(document["place"]["longitude"], 151.25);
    EXPECT_EQ(document["moment"]["utc"], "2027-03-01T04:30:00Z");
    EXPECT_EQ(document["live_time"], false);
}

// The gallery in the window as a user works it: typing (with a letter beyond ASCII), copying
// all of it into the clipboard, pasting it at the end of the notes, a switch and a list dragged.
// The dump written as the window closes tells what the input did.
TEST_F(WindowEndToEnd, TheGalleryTakesTypingTheClipboardASwitchAndADrag)
{
    // Where the elements are: the same screen at the same size, laid out headless.
    const ProgramRun layout = run_program("render --screen Gallery --size 480x800 --dump " + folder.file("layout.json") +
                                          " --out " + folder.file("layout.png"), environment());
    ASSERT_EQ(layout.status, 0) << layout.err;
    const nlohmann::json placed = read_dump(folder.file("layout.json"));
    const nlohmann::json name = element_of(placed, "gallery_name");
    const nlohmann::json notes = element_of(placed, "gallery_notes");
    const nlohmann::json switch_box = element_of(placed, "gallery_switch");
    const nlohmann::json list = element_of(placed, "gallery_list");
    for (const nlohmann::json* element : {&name, &notes, &switch_box, &list})
        ASSERT_TRUE(element->contains("rect")) << "the gallery's layout lacks an element";
    const std::string original_notes = notes.value("text", "");

    start_program("run --screen Gallery --size 480x800 --dump " + folder.file("dump.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    // The window takes input in order, so each step reaches it after the one before.
    click(name);
    xdotool("type --delay 40 Vega");
    // A letter missing from the keyboard map is typed on a key xdotool maps for it and unmaps
    // after the key is let go; the long delay lets the program read the key before that.
    xdotool("type --delay 400 \u00e9");
    xdotool("key ctrl+a ctrl+c");
    click(notes);
    xdotool("key ctrl+End ctrl+v");
    click(switch_box);
    // Up by about four rows; once the list has moved, everything before has been taken too.
    const nlohmann::json& rect = list["rect"];
    const std::string x = std::to_string(rect[0].get<int>() + rect[2].get<int>() / 2);
    const int bottom = rect[1].get<int>() + rect[3].get<int>() - 20;
    EXPECT_TRUE(after([&] {
        xdotool("mousemove --window " + window + " " + x + " " + std::to_string(bottom) + " mousedown 1");
        for (int step = 1; step <= 8; ++step)
            xdotool("mousemove --window " + window + " " + x + " " + std::to_string(bottom - 25 * step));
        xdotool("mouseup 1");
    })) << "the list did not move";
    ASSERT_EQ(close_program(), 0) << read_file(folder.file("err.txt"));

    const nlohmann::json dump = read_dump(folder.file("dump.json"));
    const std::string typed = "Vega\u00e9";
    EXPECT_EQ(element_of(dump, "gallery_name").value("text", ""), typed);
    EXPECT_EQ(element_of(dump, "gallery_notes").value("text", ""), original_notes + typed);
    EXPECT_EQ(element_of(dump, "gallery_switch").value("state", -1), 1);
    EXPECT_GT(element_of(dump, "gallery_list").value("first_item", 0), 0);
}

// Closing the window ends the program with status 0 every time, whatever its frames and SDL's
// wakeups between its threads are doing at that moment; every other time the wakeups
// arrive after their window is gone, as they rarely do when it closes.
TEST_F(WindowEndToEnd, ClosingTheWindowAlwaysEndsCleanly)
{
    for (int close = 0; close < 8; ++close) {
        // A sanitizer build wants its runtime first among the libraries; the preloaded one comes first here.
        start_program("run --screen Gallery --size 240x320",
                      close % 2 ? "LD_PRELOAD=" LATE_WAKEUPS " ASAN_OPTIONS=${ASAN_OPTIONS}:verify_asan_link_order=0" : "");
        ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
        // Closed at different points of a frame's period.
        std::this_thread::sleep_for(std::chrono::milliseconds(close * 13));
        ASSERT_EQ(close_program(), 0) << "close " << close << ": " << read_file(folder.file("err.txt"));
        EXPECT_EQ(read_file(folder.file("err.txt")).find("X Error"), std::string::npos) << read_file(folder.file("err.txt"));
    }
}

// The sky goes on twinkling and following the clock when another window has the focus.
TEST_F(WindowEndToEnd, OutOfFocusTheSkyIsStillDrawn)
{
    start_program("--lat 48.14 --lon 11.58");
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    // The focus goes to the root window (there is no window manager to give it elsewhere).
    const std::string root = xdotool("search --maxdepth 0 --name \"\"");
    ASSERT_FALSE(root.empty());
    xdotool("windowfocus --sync " + root.substr(0, root.find('\n')));
    const std::optional<Screenshot> first = screenshot();
    ASSERT_TRUE(first);
    const std::optional<Screenshot> later = first_that([&](const Screenshot& shot) { return differing(shot, *first) > 0; });
    ASSERT_TRUE(later);
    EXPECT_GT(differing(*later, *first), 0);
}

// A dump that cannot be written when the window closes is an error.
TEST_F(WindowEndToEnd, ADumpThatCannotBeWrittenFailsTheRun)
{
    // Missing folders would be made; a file where a folder should be cannot be got past.
    write_file(folder.file("plain"), "a file, not a folder");
    start_program("run --screen Gallery --dump " + folder.file("plain/dump.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    EXPECT_EQ(close_program(), 1);
    EXPECT_NE(read_file(folder.file("err.txt")).find("cannot write " + folder.file("plain/dump.json") + ": Not a directory"),
              std::string::npos)
        << read_file(folder.file("err.txt"));
}

} // namespace

} // namespace stellaro
