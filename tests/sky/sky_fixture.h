#pragma once
#include "document/document.h"
#include "skin/elements/element_factory.h"
#include "skin/props/properties.h"
#include "skin/surface/render_surface.h"
#include "sky/stars.h"
#include "support/golden.h"
#include "support/test_support.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace stellaro {

// The sky of the data files beside the program (or of another folder), with the document, skin
// and language the program would use: Paris, 2026-12-24 21:00 at UTC+1, unless moved.
class SkyWorld {
public:
    explicit SkyWorld(Size size = {320, 240}, bool night = false, const std::u16string& data = u"");

    void set_moment(int year, int month, int day, int hour, int minute, int zone_minutes);
    // The view state, in degrees.
    void look(double azimuth, double altitude, double zoom = 0.0);
    // One frame: update by dt seconds and paint into the frame.
    void frame(double dt = 0.04);
    Picture565 picture() const { return picture_of(*surface.buffer()); }

    TemporaryRegistry registry;
    Document document;
    Properties properties;
    std::unique_ptr<Stars> sky;
    RenderSurface surface;
};

// Steps frames of 40 ms until nothing is left to appear or move (at most limit frames);
// the number of frames stepped.
int settle(SkyWorld& world, int limit = 1500);

} // namespace stellaro
