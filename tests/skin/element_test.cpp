#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/props/skincore.h"
#include "skin/surface/span_filler.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <utility>

namespace stellaro {

namespace {

// Notes the input it gets in a log shared with its siblings ("left down 10,10", "right key") and
// accepts presses and keys as told; fills itself inside a 1-pixel margin.
class Probe : public Element {
public:
    using Element::Element;
    using Element::destroy_children;
    bool on_pointer_button(const PointerEvent& event) override
    {
        note(event.down ? "down" : event.cancelled ? "cancel" : "up", &event);
        return accept;
    }
    void on_pointer_move(const PointerEvent& event) override { note("move", &event); }
    bool on_key(const KeyEvent&) override
    {
        note("key");
        return accept_keys;
    }
    void paint(RenderSurface& surface, Point origin) override
    {
        ++paints;
        surface.apply(origin + Point{1, 1}, {width() - 2, height() - 2}, SolidFiller(FILL));
    }

    static constexpr Pixel FILL = 0x001F;
    std::string own_log;
    std::string* log = &own_log;
    bool accept = true;
    bool accept_keys = false;
    int paints = 0;

private:
    void note(const std::string& what, const PointerEvent* at = nullptr)
    {
        *log += utf16_to_utf8(id()) + " " + what;
        if (at)
            *log += " " + std::to_string(at->x) + "," + std::to_string(at->y);
        *log += "\n";
    }
};

PointerEvent pointer(int32_t x, int32_t y, bool down)
{
    PointerEvent event;
    event.x = x;
    event.y = y;
    event.down = down;
    return event;
}

// Two 50 x 50 probes side by side in a 100 x 100 root, both its input children, sharing one log.
struct Screen {
    Screen()
    {
        root.set_visible(true);
        for (int i = 0; i < 2; ++i) {
            auto probe = std::make_unique<Probe>(&root);
            probes[i] = probe.get();
            probe->set_id(i == 0 ? u"left" : u"right");
            probe->log = &log;
            probe->anchor_x = AnchorMode::MIN_SIDE;
            probe->design_size = {50, 50};
            probe->border_min = {i * 50, 0};
            probe->set_visible(true);
            root.add_child(std::move(probe));
            root.add_input_child(probes[i]);
        }
        root.set_horizontal(0, 100);
        root.set_vertical(0, 100);
    }
    // The log since the last look.
    std::string taken() { return std::exchange(log, {}); }

    Element root;
    Probe* probes[2] = {};
    std::string log;
};

TEST(ElementInput, PressCapturesDeclinedOrDisabledDoNotAndKeysGoToTheFirstTaker)
{
    Screen screen;
    EXPECT_TRUE(screen.root.on_pointer_button(pointer(10, 10, true)));
    // Moves and the release go to the capturer wherever the pointer is; then to whoever is under it.
    screen.root.on_pointer_move(pointer(80, 10, false));
    screen.root.on_pointer_button(pointer(80, 10, false));
    EXPECT_TRUE(screen.root.captured().empty());
    screen.root.on_pointer_move(pointer(80, 10, false));
    EXPECT_EQ(screen.taken(), "left down 10,10\nleft move 80,10\nleft up 80,10\nright move 80,10\n");

    screen.probes[1]->accept = false;
    EXPECT_FALSE(screen.root.on_pointer_button(pointer(60, 10, true)));
    screen.probes[1]->set_enabled(false);
    screen.root.on_pointer_button(pointer(60, 10, true));
    EXPECT_EQ(screen.taken(), "right down 60,10\n");

    screen.probes[1]->set_enabled(true);
    screen.probes[0]->accept_keys = true;
    EXPECT_TRUE(screen.root.on_key(KeyEvent{}));
    screen.probes[0]->set_visible(false);
    EXPECT_FALSE(screen.root.on_key(KeyEvent{}));
    EXPECT_EQ(screen.taken(), "left key\nright key\n");
}

TEST(ElementInput, HidingTheRouterOrTheCapturerCancelsThePressWithAReleaseAtMinusOne)
{
    for (const bool hide_root : {true, false}) {
        Screen screen;
        screen.root.on_pointer_button(pointer(10, 10, true));
        (hide_root ? static_cast<Element&>(screen.root) : *screen.probes[0]).set_visible(false);
        EXPECT_TRUE(screen.root.captured().empty());
        // The later real release reaches nobody.
        screen.root.on_pointer_button(pointer(10, 10, false));
        EXPECT_EQ(screen.taken(), "left down 10,10\nleft cancel -1,-1\n");
    }
}

TEST(ElementInput, ARemovedOrDestroyedSubtreeLeavesEveryInputList)
{
    Screen screen;
    Probe& left = *screen.probes[0];
    auto inner = std::make_unique<Probe>(&left);
    Probe* deep = inner.get();
    deep->design_size = {5, 5};
    deep->set_visible(true);
    left.add_child(std::move(inner));
    screen.root.add_input_child(deep);
    screen.root.set_horizontal(0, 100);
    screen.root.set_vertical(0, 100);
    screen.root.on_pointer_button(pointer(1, 1, true));
    EXPECT_EQ(screen.root.captured().size(), 2u);

    // Detached, the subtree lives on but no longer gets input from the root.
    std::unique_ptr<Element> removed = screen.root.remove_child(&left);
    ASSERT_EQ(removed.get(), &left);
    EXPECT_EQ(screen.root.input_children().size(), 1u);
    EXPECT_TRUE(screen.root.captured().empty());

    // Destroyed inside the tree, an element leaves its ancestors' lists too.
    screen.root.add_child(std::move(removed));
    screen.root.add_input_child(deep);
    screen.root.on_pointer_button(pointer(1, 1, true));
    ASSERT_EQ(screen.root.captured().size(), 1u);
    const int64_t before = Element::live_count();
    left.destroy_children();
    EXPECT_EQ(Element::live_count(), before - 1);
    EXPECT_EQ(screen.root.input_children().size(), 1u);
    EXPECT_TRUE(screen.root.captured().empty());
}

// Screens of probes from a compiled skin.
class ProbeSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = compile_skin(
            folder.path(), "probes",
            "node Plain { child { string type = \"probe\" int cache = 1 } }\n"
            "node Keyed { child { string type = \"probe\" int cache = 1 int cache_alpha = 0 } }\n"
            "node Slide { child { string type = \"probe\" string visibility_animation = \"right\" } }\n"
            "node Unknown { child { string type = \"mystery\" } }\n");
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
    }
    Probe& open(const char16_t* node, Size size)
    {
        EXPECT_TRUE(screen.load_from_skin(properties, node));
        screen.set_visible(true);
        screen.set_horizontal(0, size.width);
        screen.set_vertical(0, size.height);
        return *static_cast<Probe*>(screen.children()[0].get());
    }
    RenderSurface drawn(Size size)
    {
        RenderSurface target(size);
        target.apply({0, 0}, size, SolidFiller(BACKGROUND));
        screen.draw(target, {0, 0});
        return target;
    }

    static constexpr Pixel BACKGROUND = 0x07E0;
    TemporaryFolder folder;
    Properties properties;
    const NodeRegistration probe{u"probe", factory_of<Probe>()};
    Element screen;
};

TEST_F(ProbeSkinTest, AnUnknownKindStopsTheBuild)
{
    EXPECT_THROW(screen.load_from_skin(properties, u"Unknown"), skincore::NodeNotRegistered);
}

// Pixels paint() leaves alone come through as the key colour with a plain cache and leave the
// target alone with "cache_alpha" 0; drawing again copies the cache without painting.
TEST_F(ProbeSkinTest, CachePaintsOnceUntilAskedAndAlphaZeroKeysOutTheUnpainted)
{
    for (const bool keyed : {false, true}) {
        Probe& child = open(keyed ? u"Keyed" : u"Plain", {10, 10});
        const RenderSurface target = drawn({10, 10});
        EXPECT_EQ(target.pixel({5, 5}), Probe::FILL);
        EXPECT_EQ(target.pixel({0, 0}), keyed ? BACKGROUND : TRANSPARENT_KEY);
        drawn({10, 10});
        EXPECT_EQ(child.paints, 1);
        child.request_repaint();
        drawn({10, 10});
        EXPECT_EQ(child.paints, 2);
    }
}

TEST_F(ProbeSkinTest, HidingSlidesThePanelOutAndShowingMidWayTurnsTheAnimationRound)
{
    Probe& panel = open(u"Slide", {100, 20});
    panel.show(false);
    EXPECT_FALSE(panel.visible());
    // Half way out the panel has slid right by half its width.
    screen.update(0.1);
    EXPECT_EQ(drawn({100, 20}).pixel({40, 10}), BACKGROUND);
    EXPECT_EQ(drawn({100, 20}).pixel({60, 10}), Probe::FILL);

    panel.show(true);
    EXPECT_EQ(panel.visibility_animation()->direction(), Direction::SHOW);
    screen.update(0.2);
    EXPECT_FALSE(panel.visibility_animation()->running());
    EXPECT_EQ(drawn({100, 20}).pixel({40, 10}), Probe::FILL);
}

} // namespace

} // namespace stellaro
