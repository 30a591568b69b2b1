#pragma once
#include "document/city_record.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace stellaro {

// Where typed keypad digits meet a city's keypad key.
struct CityMatch {
    bool matched = false;
    size_t begin = 0;         // the highlight span in the key (and the name): [begin, end)
    size_t end = 0;
    char16_t next_digit = 0;  // the key's digit after the span, the one that can extend the match; 0 for none
};

// Matches the typed digits against a keypad key: at some word start of the key the digits follow
// one another, spaces in the key passed over (so a match runs on across words). The first word
// start that matches gives the span, which takes in the spaces after it. An empty filter
// matches at the first word start; an empty key matches nothing.
CityMatch match_city(std::u16string_view key, std::u16string_view filter);

// The cities that match the typed digits, in file order, and what may be typed next.
struct CityFilterResult {
    std::vector<int32_t> matches;     // indexes into the cities
    std::array<bool, 10> next_digits{}; // per digit 0-9: some match continues with it
    int32_t current_position = -1;    // the current city's place in matches; -1 when it is not there
};

// Filters all the cities; current_city is the index of the current city (-1 for none).
void filter_cities(const std::vector<CityRecord>& cities, std::u16string_view filter, int32_t current_city,
                   CityFilterResult& result);

// The telephone-keypad digit of a letter ("m" and "M" give '6'), the digit itself for a digit;
// 0 for anything else.
char16_t keypad_digit(char32_t c);

} // namespace stellaro
