#include "skin/elements/element_query.h"

#include <gtest/gtest.h>

#include <memory>

namespace stellaro {

namespace {

// A leaf that shows a text.
class Label : public Element {
public:
    using Element::Element;
    void describe(ElementState& state) const override { state.text = text; }
    std::u16string text;
};

// Adds a shown child of the given id at a place inside the parent, and returns it.
template <typename Kind = Element>
Kind& add(Element& parent, std::u16string id, Point at, Point size)
{
    auto child = std::make_unique<Kind>(&parent);
    Kind& made = *child;
    made.set_id(std::move(id));
    made.anchor_x = made.anchor_y = AnchorMode::MIN_SIDE;
    made.border_min = at;
    made.design_size = size;
    made.set_visible(true);
    parent.add_child(std::move(child));
    return made;
}

} // namespace

TEST(ElementQuery, NamesAndPathsFindOnlyShownElements)
{
    Element root;
    root.set_visible(true);
    Element& hidden = add(root, u"ok", {0, 0}, {10, 10});
    hidden.set_visible(false);
    Element& panel = add(root, u"panel", {0, 20}, {100, 50});
    Element& inner = add(panel, u"ok", {10, 10}, {40, 20});
    add(root, u"flat", {0, 80}, {30, 0});
    root.set_horizontal(0, 200);
    root.set_vertical(0, 100);

    EXPECT_EQ(find_shown(root, u"ok"), &inner);
    EXPECT_EQ(find_shown(root, u"panel/ok"), &inner);
    EXPECT_EQ(find_shown(root, u"ok/panel"), nullptr);
    EXPECT_EQ(find_shown(root, u"flat"), nullptr) << "no area";
    EXPECT_EQ(find_shown(root, u""), nullptr);
    EXPECT_EQ(find_shown(root, u"panel/"), nullptr);
    EXPECT_EQ(centre_of(inner), (Point{30, 40}));
    panel.set_visible(false);
    EXPECT_EQ(find_shown(root, u"ok"), nullptr) << "hidden with its parent";
}

TEST(ElementQuery, TextFindsTheOutermostElementShowingIt)
{
    Element root;
    root.set_visible(true);
    Label& outer = add<Label>(root, u"button", {0, 0}, {50, 20});
    Label& caption = add<Label>(outer, u"#text", {0, 0}, {50, 20});
    outer.text = caption.text = u"Now";
    root.set_horizontal(0, 100);
    root.set_vertical(0, 100);
    EXPECT_EQ(find_showing_text(root, u"Now"), &outer);
    EXPECT_EQ(find_showing_text(root, u"now"), nullptr);
}

} // namespace stellaro
