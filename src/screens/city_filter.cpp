#include "screens/city_filter.h"

namespace stellaro {

namespace {

constexpr char KEYPAD[] = "22233344455566677778889999";

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// True when the filter matches from the word start, with the end of the matched digits.
bool match_from(std::u16string_view key, std::u16string_view filter, size_t start, size_t& end)
{
    size_t at = start;
    for (const char16_t digit : filter) {
        while (at < key.size() && key[at] == u' ')
            ++at;
        if (at == key.size() || key[at] != digit)
            return false;
        ++at;
    }
    end = at;
    return true;
}

} // namespace

CityMatch match_city(std::u16string_view key, std::u16string_view filter)
{
    CityMatch match;
    size_t start = 0;
    while (start < key.size()) {
        size_t end = 0;
        if (match_from(key, filter, start, end)) {
            while (end < key.size() && key[end] == u' ')
                ++end;
            match.matched = true;
            match.begin = start;
            match.end = end;
            if (end < key.size() && is_digit(key[end]))
                match.next_digit = key[end];
            return match;
        }
        // On to the next word: past the rest of this one, then past the spaces after it.
        while (start < key.size() && key[start] != u' ')
            ++start;
        while (start < key.size() && key[start] == u' ')
            ++start;
    }
    return match;
}

void filter_cities(const std::vector<CityRecord>& cities, std::u16string_view filter, int32_t current_city,
                   CityFilterResult& result)
{
    result.matches.clear();
    result.next_digits.fill(false);
    result.current_position = -1;
    for (size_t i = 0; i < cities.size(); ++i) {
        const CityMatch match = match_city(cities[i].key, filter);
        if (!match.matched)
            continue;
        if (static_cast<int32_t>(i) == current_city)
            result.current_position = static_cast<int32_t>(result.matches.size());
        if (match.next_digit != 0)
            result.next_digits[match.next_digit - u'0'] = true;
        result.matches.push_back(static_cast<int32_t>(i));
    }
}

char16_t keypad_digit(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return static_cast<char16_t>(c);
    if (c >= U'a' && c <= U'z')
        return static_cast<char16_t>(KEYPAD[c - U'a']);
    if (c >= U'A' && c <= U'Z')
        return static_cast<char16_t>(KEYPAD[c - U'A']);
    return 0;
}

} // namespace stellaro
