#include "sky/sky_ground.h"

#include "sky/sky_view.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

void ground_spans(const SkyView& view, std::vector<GroundSpan>& spans)
{
    spans.clear();
    const double r = view.radius();
    if (view.w <= 0 || view.h <= 0 || !(r > 0.0))
        return;
    const double cx = std::trunc(view.w * 0.5), cy = std::trunc(view.h * 0.5);
    const double s = std::sin(view.view_altitude), c = std::cos(view.view_altitude);
    // The column of the first pixel whose centre lies at or right of view-sphere offset y_v.
    const auto column = [&](double y_v) { return static_cast<int32_t>(std::clamp(std::ceil(cx + y_v * r - 0.5), 0.0, double(view.w))); };
    for (int32_t y = 0; y < view.h; ++y) {
        // On the view sphere a screen point is (x_v, y_v, z_v) with x_v toward the view centre;
        // its altitude's sine is x_v sin(alt) + z_v cos(alt).
        const double z_v = -(y + 0.5 - cy) / r;
        const auto whole = [&] { spans.push_back({y, 0, view.w}); };
        if (std::fabs(s) < 1e-12) {
            if (z_v < 0.0)
                whole();
            continue;
        }
        const double q = -z_v * c / s; // below the horizon where x_v < q (looking up) or x_v > q (down)
        const double rest = 1.0 - z_v * z_v - q * q;
        if (s > 0.0) {
            if (q <= 0.0)
                continue;
            if (rest <= 0.0) {
                whole();
                continue;
            }
            const double half = std::sqrt(rest);
            const int32_t left = column(-half), right = column(half);
            if (left > 0)
                spans.push_back({y, 0, left});
            if (right < view.w)
                spans.push_back({y, right, view.w});
        } else {
            if (q < 0.0) {
                whole();
                continue;
            }
            if (rest <= 0.0)
                continue;
            const double half = std::sqrt(rest);
            const int32_t left = column(-half), right = column(half);
            if (right > left)
                spans.push_back({y, left, right});
        }
    }
}

} // namespace stellaro
