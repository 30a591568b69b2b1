#include "app/place_and_moment.h"

#include "astro/julian_date.h"
#include "document/document.h"
#include "platform/utf.h"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace stellaro {

void apply_place_and_moment(OptionList& options, Document& document)
{
    const auto lat = options.value("--lat");
    const auto lon = options.value("--lon");
    const double latitude = lat ? parse_number_in("--lat", *lat, -90.0, 90.0) : document.latitude;
    const double longitude = lon ? parse_number_in("--lon", *lon, -180.0, 180.0) : document.longitude;
    document.set_location(longitude, latitude);

    if (const auto time = options.value("--time")) {
        const MomentArgument moment = parse_moment("--time", *time);
        document.set_fixed_zone(moment.bias_minutes);
        document.set_moment(julian_day_from_date(moment.year, moment.month, moment.day), moment.hour,
                            moment.minute + moment.second / 60.0);
    }
}

} // namespace stellaro

namespace stellaro {

bool apply_handed_command_line(std::u16string_view text, Document& document)
{
    std::istringstream words(utf16_to_utf8(text));
    std::vector<std::string> taken;
    std::string word;
    words >> word; // the command
    while (words >> word) {
        if ((word == "--lat" || word == "--lon" || word == "--time") && words >> std::ws && !words.eof()) {
            taken.push_back(word);
            words >> word;
            taken.push_back(word);
        }
    }
    if (taken.empty())
        return false;
    try {
        OptionList options(taken);
        // Checked whole before anything changes, so that a bad value leaves the place as it was.
        OptionList checked(taken);
        if (const auto lat = checked.value("--lat"))
            parse_number_in("--lat", *lat, -90.0, 90.0);
        if (const auto lon = checked.value("--lon"))
            parse_number_in("--lon", *lon, -180.0, 180.0);
        if (const auto time = checked.value("--time"))
            parse_moment("--time", *time);
        apply_place_and_moment(options, document);
    } catch (const UsageError& error) {
        std::cerr << "stellaro: the command line handed over by a later start: " << error.what() << "\n";
        return false;
    }
    return true;
}

} // namespace stellaro
