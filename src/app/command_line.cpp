#include "app/command_line.h"

#include "astro/julian_date.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <regex>

OptionList::OptionList(std::vector<std::string> arguments) : arguments(std::move(arguments)) {}

bool OptionList::flag(const std::string& name)
{
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        if (*it == name) {
            arguments.erase(it);
            return true;
        }
        if (it->rfind(name + "=", 0) == 0)
            throw UsageError(name + " takes no value");
    }
    return false;
}

std::optional<std::string> OptionList::value(const std::string& name)
{
    const auto found = values(name);
    if (found.size() > 1)
        throw UsageError(name + " is given more than once");
    return found.empty() ? std::nullopt : std::optional<std::string>(found.front());
}

std::vector<std::string> OptionList::values(const std::string& name)
{
    std::vector<std::string> found;
    for (size_t i = 0; i < arguments.size();) {
        if (arguments[i] == name) {
            if (i + 1 >= arguments.size())
                throw UsageError(name + " needs a value");
            found.push_back(arguments[i + 1]);
            arguments.erase(arguments.begin() + static_cast<long>(i), arguments.begin() + static_cast<long>(i) + 2);
        } else if (arguments[i].rfind(name + "=", 0) == 0) {
            found.push_back(arguments[i].substr(name.size() + 1));
            arguments.erase(arguments.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    return found;
}

void OptionList::finish() const
{
    if (!arguments.empty())
        throw UsageError("unknown option " + arguments.front());
}

double parse_number(const std::string& option, const std::string& text)
{
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
        throw UsageError(option + ": '" + text + "' is not a number");
    return value;
}

double parse_number_in(const std::string& option, const std::string& text, double low, double high)
{
    const double value = parse_number(option, text);
    if (value < low || value > high) {
        char range[96];
        std::snprintf(range, sizeof range, "%g to %g", low, high);
        throw UsageError(option + ": " + text + " is outside " + range);
    }
    return value;
}

int parse_integer_in(const std::string& option, const std::string& text, int low, int high)
{
    const double value = parse_number_in(option, text, low, high);
    if (value != std::trunc(value))
        throw UsageError(option + ": " + text + " is not a whole number");
    return static_cast<int>(value);
}

MomentArgument parse_moment(const std::string& option, const std::string& text)
{
    static const std::regex FORM(R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2})(?::(\d{2}(?:\.\d+)?))?(Z|[+-]\d{2}:\d{2})?)");
    std::smatch parts;
    if (!std::regex_match(text, parts, FORM))
        throw UsageError(option + ": '" + text + "' is not a moment like 2026-12-24T21:00+01:00");
    MomentArgument moment;
    moment.year = std::stoi(parts[1]);
    moment.month = std::stoi(parts[2]);
    moment.day = std::stoi(parts[3]);
    moment.hour = std::stoi(parts[4]);
    moment.minute = std::stoi(parts[5]);
    moment.second = parts[6].matched ? std::stod(parts[6]) : 0.0;
    const bool leap = is_leap_year(moment.year, true);
    if (moment.month < 1 || moment.month > 12 || moment.day < 1 || moment.day > days_in_month(moment.month, leap) ||
        moment.hour > 23 || moment.minute > 59 || moment.second >= 60.0)
        throw UsageError(option + ": '" + text + "' is not a valid date and time");
    if (parts[7].matched) {
        const std::string zone = parts[7];
        if (zone == "Z") {
            moment.bias_minutes = 0;
        } else {
            const int hours = std::stoi(zone.substr(1, 2));
            const int minutes = std::stoi(zone.substr(4, 2));
            if (hours > 14 || minutes > 59)
                throw UsageError(option + ": '" + zone + "' is not a time-zone offset");
            const int offset = hours * 60 + minutes;
            // An offset east of Greenwich means local time is ahead of UTC: the bias is negative.
            moment.bias_minutes = zone[0] == '+' ? -offset : offset;
        }
    }
    return moment;
}
