#pragma once
#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/props/properties.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace stellaro {

// A screen of the toolkit's kinds built from a skin given as source text, laid out at a size.
class TextSkinTest : public ::testing::Test {
protected:
    void build(const std::string& source, Size size = {240, 320})
    {
        const std::string path = compile_skin(folder.path(), "texts", "node Screen {\n" + source + "\n}\n");
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
        ASSERT_TRUE(screen.load_from_skin(properties, u"Screen"));
        screen.set_visible(true);
        lay_out(size);
    }
    void lay_out(Size size)
    {
        screen.set_horizontal(0, size.width);
        screen.set_vertical(0, size.height);
    }
    template <typename T>
    T& child(const char16_t* id)
    {
        T* found = dynamic_cast<T*>(screen.find_child(id));
        EXPECT_NE(found, nullptr);
        return *found;
    }

    TemporaryFolder folder;
    Properties properties;
    std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    Element screen;
};

// A child block placed at (x, y) with its own size; `more` adds properties and children.
inline std::string placed(const std::string& type, const std::string& id, int x, int y, int width, int height,
                          const std::string& more = "")
{
    return "child { string type = \"" + type + "\" string id = \"" + id +
           "\" string anchor_x = \"MIN_SIDE\" string anchor_y = \"MIN_SIDE\" point border_min = " +
           std::to_string(x) + ", " + std::to_string(y) + " point design_size = " + std::to_string(width) + ", " +
           std::to_string(height) + " font font = \"15 0 0 0 Tahoma\" " + more + " }\n";
}

} // namespace stellaro
