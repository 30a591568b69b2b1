#include "shell_test_support.h"

#include "platform/utf.h"
#include "skin/surface/span_filler.h"

namespace stellaro {

namespace {

std::string at(const PointerEvent& event) { return std::to_string(event.x) + "," + std::to_string(event.y) + "\n"; }

} // namespace

void RecordingScreen::paint(RenderSurface& surface, Point origin)
{
    surface.apply(origin, painted.width < 0 ? Size{width(), height()} : painted, SolidFiller(to_pixel(colour)));
}

void RecordingScreen::on_pointer_move(const PointerEvent& event) { input += "move " + at(event); }

bool RecordingScreen::on_pointer_button(const PointerEvent& event)
{
    input += (event.down ? "down " : event.cancelled ? "cancel " : "up ") + at(event);
    return true;
}

bool RecordingScreen::on_key(const KeyEvent& event)
{
    input += "key " + std::string(key_name(event.code).value_or("?")) + (!event.down ? " up\n" : event.first ? " down\n" : " repeat\n");
    return true;
}

bool RecordingScreen::on_text(std::u16string_view text)
{
    input += "text " + utf16_to_utf8(text) + "\n";
    return true;
}

} // namespace stellaro
