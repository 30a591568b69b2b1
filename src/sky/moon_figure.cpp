#include "sky/moon_figure.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

constexpr double DEG = 0.017453292519943295;

} // namespace

double lit_fraction(double phase_angle_deg) { return (1.0 + std::cos(phase_angle_deg * DEG)) * 0.5; }

double bright_limb_position_angle(double moon_ra_hours, double moon_dec_deg, double sun_ra_hours, double sun_dec_deg)
{
    const double a = moon_ra_hours * 15.0 * DEG, d = moon_dec_deg * DEG;
    const double a0 = sun_ra_hours * 15.0 * DEG, d0 = sun_dec_deg * DEG;
    const double chi = std::atan2(std::cos(d0) * std::sin(a0 - a), std::sin(d0) * std::cos(d) - std::cos(d0) * std::sin(d) * std::cos(a0 - a));
    const double degrees = chi / DEG;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

double picture_angle_deg(double dx, double dy)
{
    const double degrees = std::atan2(-dx, -dy) / DEG;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

MoonFigureRule::MoonFigureRule(Tint lit_tint, Point source_origin, Size source_size, const MoonPhase& phase)
    : lit(lit_tint), centre_x(source_origin.x + source_size.width * 0.5), centre_y(source_origin.y + source_size.height * 0.5),
      radius(std::max(0.5, std::min(source_size.width, source_size.height) * 0.5)),
      limb_x(-std::sin(phase.bright_limb_deg * DEG)), limb_y(-std::cos(phase.bright_limb_deg * DEG)),
      terminator(std::cos(phase.phase_angle_deg * DEG))
{
}

Pixel MoonFigureRule::operator()(Pixel d, Pixel s, int32_t x, int32_t y) const
{
    if (s == TRANSPARENT_KEY)
        return d;
    const double dx = x + 0.5 - centre_x, dy = y + 0.5 - centre_y;
    // u along the bright limb's direction, v across it, in disc radii.
    const double u = (dx * limb_x + dy * limb_y) / radius;
    const double v = (dy * limb_x - dx * limb_y) / radius;
    // The terminator is the half ellipse u = -cos(i) sqrt(1 - v^2); the lit side lies toward +u.
    const double beyond = (u + terminator * std::sqrt(std::max(0.0, 1.0 - v * v))) * radius;
    const double light = std::clamp(beyond + 0.5, 0.0, 1.0);
    const auto level = [&](uint16_t full) {
        return static_cast<uint16_t>(NIGHT_SIDE + (static_cast<double>(full) - NIGHT_SIDE) * light + 0.5);
    };
    // The sky shows through where the Moon is darker than it (the night side by day).
    const Pixel t = Tint{level(lit.red), level(lit.green), level(lit.blue)}(s);
    return static_cast<Pixel>(std::max<Pixel>(t & 0xF800, d & 0xF800) | std::max<Pixel>(t & 0x07E0, d & 0x07E0) |
                              std::max<Pixel>(t & 0x001F, d & 0x001F));
}

void draw_moon_figure(RenderSurface& target, const RenderSurface& picture, Point source_origin, Size source_size, Point at,
                      Size size, const MoonPhase& phase, uint16_t lit_strength)
{
    const RulePainter<MoonFigureRule> painter(
        MoonFigureRule(Tint{lit_strength, lit_strength, lit_strength}, source_origin, source_size, phase));
    target.draw_scaled(picture, source_origin, source_size, at, size, painter);
}

} // namespace stellaro
