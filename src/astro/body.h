#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace stellaro {

// The bodies of the sky, in drawing order. The numbers are the ones stored and shown (the body
// pictures, the cache's log, `render --select body:N`), so they never change.
enum class Body : uint8_t { sun, mercury, venus, moon, mars, jupiter, saturn, uranus, neptune };

constexpr size_t BODY_COUNT = 9;

constexpr std::array<Body, BODY_COUNT> ALL_BODIES = {Body::sun,     Body::mercury, Body::venus,  Body::moon,   Body::mars,
                                                     Body::jupiter, Body::saturn,  Body::uranus, Body::neptune};

constexpr size_t body_index(Body body) { return static_cast<size_t>(body); }

// The English name ("Sun", "Moon", ...), which is also the key of the translations and of the
// body's picture file.
std::string_view body_name(Body body);

// The body whose English name this is, letter case aside.
std::optional<Body> body_named(std::string_view name);

} // namespace stellaro
