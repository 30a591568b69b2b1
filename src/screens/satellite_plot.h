#pragma once
#include "fonts/font_handle.h"
#include "platform/gps_fix.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/elements/element_state.h"
#include "skin/surface/geometry.h"
#include "skin/surface/pixel.h"

#include <memory>
#include <vector>

namespace stellaro {

// Where a satellite lies on a sky plot of that centre and horizon radius: north up, east to the
// right, the distance from the centre growing evenly from the zenith (0) to the horizon (radius).
Point sky_plot_point(double elevation_deg, double azimuth_deg, Point centre, int32_t radius);

// Kind "satplot": the satellites in view on a polar plot of elevation and azimuth, with their
// signal strengths as bars beneath it. Satellites used in the fix take "used_color", those heard
// "seen_color", the silent ones "silent_color"; rings, axes and compass letters "ring_color" and
// "label_color"; "font" for the letters and numbers; "bar_height" (design pixels) for the bars.
class SatellitePlot : public Element {
public:
    static constexpr const char16_t* KIND = u"satplot";
    // The signal that fills a bar.
    static constexpr double FULL_BAR_DB = 50.0;

    explicit SatellitePlot(Element* owner = nullptr);
    // Registers the kind unless it already is; null then.
    static std::unique_ptr<NodeRegistration> register_kind();

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void paint(RenderSurface& surface, Point origin) override;
    // The satellites shown as their numbers in order, "*" after those used: "9* 2* 29".
    void describe(ElementState& state) const override;

    // Shows these satellites, in this order (repaints only when they differ from those shown).
    void set_satellites(std::vector<GpsSatellite> satellites);
    const std::vector<GpsSatellite>& satellites() const { return shown; }

private:
    Colour colour_of(const GpsSatellite& satellite) const;
    void paint_plot(RenderSurface& surface, Point centre, int32_t radius);
    void paint_bars(RenderSurface& surface, Point origin, Size size);

    std::vector<GpsSatellite> shown;
    FontHandle font;
    Colour ring_colour{34, 48, 77, 255};
    Colour label_colour{159, 176, 204, 255};
    Colour used_colour{90, 169, 255, 255};
    Colour seen_colour{232, 238, 248, 255};
    Colour silent_colour{159, 176, 204, 255};
    int32_t bar_height_px = 96;
    int32_t dot_radius_px = 7;
};

} // namespace stellaro
