#pragma once
#include "skin/elements/element.h"

namespace stellaro {

// "progress": a bar, its child "#line", sized to a fraction of the element along every axis in
// which the bar is not anchored on both sides; the other children are placed as usual.
class ProgressBar : public Element {
public:
    explicit ProgressBar(Element* owner = nullptr);

    // The filled fraction, clamped to 0..1 (NaN counts as 0); the bar is placed again at once.
    void set_value(double value);
    double value() const { return value_; }

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void arrange_x() override;
    void arrange_y() override;
    void describe(ElementState& state) const override;

private:
    Element* bar = nullptr;
    double value_ = 0.0;
};

} // namespace stellaro
