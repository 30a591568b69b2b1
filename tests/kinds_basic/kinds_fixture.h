#pragma once
#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/surface/span_filler.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace stellaro {

// A screen built from a node of a skin compiled from source, with the toolkit's kinds registered.
// The skin's folder holds "pic": 8 x 6 pixels of PICTURE_COLOUR, the top-left one the key colour.
class KindsTest : public ::testing::Test {
public:
    static constexpr Pixel BACKGROUND = 0x07E0;
    static constexpr Pixel PICTURE_COLOUR = 0x8410;

protected:
    void open(const std::string& source, const char16_t* node, Size size)
    {
        write_bmp565(folder.file("pic.bmp"), 8, 6, PICTURE_COLOUR, TRANSPARENT_KEY);
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(compile_skin(folder.path(), "kinds", source)), 96));
        ASSERT_TRUE(screen.load_from_skin(properties, node));
        screen.set_visible(true);
        lay_out(size);
    }
    void lay_out(Size size)
    {
        screen.set_horizontal(0, size.width);
        screen.set_vertical(0, size.height);
    }
    template <typename Kind = Element>
    Kind& find(const char16_t* id)
    {
        if (auto* kind = dynamic_cast<Kind*>(screen.find_child(id)))
            return *kind;
        throw std::runtime_error("no element {" + utf16_to_utf8(id) + "} of the kind wanted");
    }
    RenderSurface drawn(Size size)
    {
        RenderSurface target(size);
        target.apply({0, 0}, size, SolidFiller(BACKGROUND));
        screen.draw(target, {0, 0});
        return target;
    }

    std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    TemporaryFolder folder;
    Properties properties;
    Element screen;
};

} // namespace stellaro
