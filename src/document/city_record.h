#pragma once
#include <cstdint>
#include <string>

namespace stellaro {

// One city of the city database.
struct CityRecord {
    std::u16string name;    // as displayed
    std::u16string key;     // keypad spelling of name: same length, letters as their keypad digits
    std::u16string country; // ISO 3166 letters
    int32_t latitude = 0;   // degrees x 1024, north positive
    int32_t longitude = 0;  // degrees x 1024, east positive
    std::string zone;       // the time-zone database's name of its zone ("Europe/Moscow")
};

} // namespace stellaro
