#include "astro/body.h"

#include <algorithm>

namespace stellaro {

namespace {

constexpr std::array<std::string_view, BODY_COUNT> BODY_NAMES = {"Sun",     "Mercury", "Venus",  "Moon",   "Mars",
                                                                 "Jupiter", "Saturn",  "Uranus", "Neptune"};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_letters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::string_view body_name(Body body)
{
    return BODY_NAMES[body_index(body)];
}

std::optional<Body> body_named(std::string_view name)
{
    for (const Body body : ALL_BODIES)
        if (same_letters(body_name(body), name))
            return body;
    return std::nullopt;
}

} // namespace stellaro
