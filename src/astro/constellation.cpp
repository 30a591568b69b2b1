#include "astro/constellation.h"

#include "astro/angles.h"

#include <algorithm>

namespace stellaro {

namespace {

// The sum of the right ascensions with the stars cut at the widest empty stretch of the circle,
// so that a figure lying across 0 h is averaged where it lies. When that stretch contains 0 h,
// this is the plain sum.
int64_t ra_sum_across_zero(std::vector<int32_t> ras)
{
    std::sort(ras.begin(), ras.end());
    int64_t widest_gap = int64_t{ras.front()} + RA_UNITS_PER_TURN - ras.back();
    size_t cut = ras.size();
    for (size_t i = 1; i < ras.size(); ++i) {
        if (ras[i] - ras[i - 1] > widest_gap) {
            widest_gap = ras[i] - ras[i - 1];
            cut = i;
        }
    }
    int64_t sum = 0;
    for (int32_t ra : ras)
        sum += ra;
    // The stars before the cut are taken one turn on.
    if (cut < ras.size())
        sum += int64_t{RA_UNITS_PER_TURN} * static_cast<int64_t>(cut);
    return sum;
}

} // namespace

bool place_label(Constellation& constellation, const StarCatalog& catalog)
{
    std::vector<int32_t> ras;
    int64_t dec_sum = 0;
    for (int32_t number : constellation.figure) {
        if (number == PEN_UP)
            continue;
        const StarRecord* star = catalog.find(number);
        if (!star)
            return false;
        ras.push_back(star->ra);
        dec_sum += star->dec;
    }
    if (ras.empty())
        return false;
    const auto count = static_cast<double>(ras.size());
    double ra = static_cast<double>(ra_sum_across_zero(ras)) * RA_UNITS_TO_HOURS / count;
    if (ra >= 24.0)
        ra -= 24.0;
    constellation.label_ra = ra;
    constellation.label_dec = static_cast<double>(dec_sum) * DEC_UNITS_TO_DEGREES / count;
    constellation.label_direction =
        equatorial_vector(constellation.label_ra * HOURS_TO_RAD, constellation.label_dec * DEG_TO_RAD);
    constellation.label_direction_fixed = fixed_vector(constellation.label_direction);
    return true;
}

namespace {

// Constellation codes are ASCII, so folding ASCII letters is enough to compare them.
bool same_code_ignoring_case(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

} // namespace

const Constellation* find_constellation(const std::vector<Constellation>& constellations, std::u16string_view code)
{
    for (const Constellation& constellation : constellations) {
        if (constellation.code == code)
            return &constellation;
    }
    for (const Constellation& constellation : constellations) {
        if (same_code_ignoring_case(constellation.code, code))
            return &constellation;
    }
    return nullptr;
}

} // namespace stellaro
