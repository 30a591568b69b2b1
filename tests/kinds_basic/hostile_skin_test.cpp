// Every kind given the most awkward values a skin can hold, then laid out, drawn and poked at
// sizes from nothing to huge: nothing may crash or loop (the sanitizer build watches memory).
#include "kinds_fixture.h"

#include "skin/kinds/progress_bar.h"
#include "skin/props/skincore.h"

namespace stellaro {

namespace {

const char* const SKIN = R"(
node Hostile {
    child { string type = "htable" point design_size = -32768, 32767 point border_min = 32767, -32768
            point border_max = -32768, 32767 int table_ratio = -2147483648
        child { string type = "vtable" int table_ratio = 2147483647 point design_size = 32767, -5
            child { string type = "oldtext" int grow = 1 int wrap = 1 string halign = "SIDEWAYS"
                    string text = "\uD800 lone surrogate and a word that goes on and on and on" font font = "0 0 0 0 Nope" }
            child { string type = "image" int alpha = 2147483647 int grow = 1 }
            child { string type = "progress" string id = "bar" }
        }
        child { string type = "clip" point design_size = 0, 0
            child { string type = "color" point border_min = -500, -500 point design_size = 32767, 32767 }
        }
        child { string type = "text" int grow_min = 1 int wrap = 1 string valign = "" font font = "300 1 1 1 Tahoma"
                string text = "\t\t\n\n\n\u000D\u000D a\uD83C\uDF1F b"
            child { string type = "node" string id = "#left" point design_size = 32767, 0 }
            child { string type = "node" string id = "#right" point design_size = -32768, 0 }
        }
        child { string type = "edit" string id = "field" int wrap = 1 string text = "" }
        child { string type = "spinner" string id = "drum" int element_size = -7 }
        child { string type = "vlist" string id = "list" int grow = 1 point scroll_border_min = 0, -32768
                point scroll_border_max = 0, 32767 }
        child { string type = "button" string bind_key = "NoSuchKey" string text = ""
            child { string type = "node" string id = "#normal" point design_size = -1, -1 }
        }
    }
}
)";

class HostileSkin : public KindsTest {
protected:
    void SetUp() override { open(SKIN, u"Hostile", {480, 800}); }

    void poke(Size size)
    {
        lay_out(size);
        screen.update(0.04);
        drawn({std::max(size.width, 1), std::max(size.height, 1)});
        for (const Point at : {Point{0, 0}, Point{size.width / 2, size.height / 2}, Point{-1, 99999}}) {
            PointerEvent event{at.x, at.y, 0, 0, true, false};
            screen.on_pointer_button(event);
            event.y += 300;
            screen.on_pointer_move(event);
            event.down = false;
            screen.on_pointer_button(event);
        }
        for (const uint8_t code : {KEY_LEFT, KEY_UP, KEY_BACKSPACE, KEY_ENTER, KEY_DEL, KEY_END})
            screen.on_key(KeyEvent{code, true, true});
        screen.on_text(std::u16string{char16_t{0xDC00}, u'x'});
        screen.update(1.0);
        drawn({std::max(size.width, 1), std::max(size.height, 1)});
    }
};

} // namespace

TEST_F(HostileSkin, OutlandishValuesNeverCrashAtAnySize)
{
    for (const Size size : {Size{0, 0}, Size{1, 1}, Size{480, 800}, Size{4000, 3}, Size{3, 4000}})
        poke(size);
    find<ProgressBar>(u"bar").set_value(1e308);
    EXPECT_LE(find<ProgressBar>(u"bar").value(), 1.0);
}

TEST_F(HostileSkin, MissingRequiredChildrenAreNamedSkinErrors)
{
    const std::string broken = R"(
node NoHint { child { string type = "label_edit" child { string type = "edit" string id = "#edit" } } }
node NoStates { child { string type = "checkbox" int states = 2147483647 } }
)";
    ASSERT_TRUE(properties.load_skin(utf8_to_utf16(compile_skin(folder.path(), "broken", broken)), 96));
    EXPECT_THROW(screen.load_from_skin(properties, u"NoHint"), skincore::NodeNotFound);
    EXPECT_THROW(screen.load_from_skin(properties, u"NoStates"), skincore::NodeNotFound);
}

} // namespace stellaro
