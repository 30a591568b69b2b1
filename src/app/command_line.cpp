#include "app/command_line.h"

#include "astro/julian_date.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace stellaro {

OptionList::OptionList(std::vector<std::string> arguments) : arguments(std::move(arguments)) {}

bool OptionList::flag(const std::string& name)
{
    size_t found = 0;
    for (auto it = arguments.begin(); it != arguments.end();) {
        if (it->rfind(name + "=", 0) == 0)
            throw UsageError(name + " takes no value");
        if (*it == name) {
            it = arguments.erase(it);
            ++found;
        } else {
            ++it;
        }
    }
    if (found > 1)
        throw UsageError(name + " is given more than once");
    return found == 1;
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

namespace {

// Reads `count` digits at text[pos], advancing pos; -1 when they are not all digits.
int digits(const std::string& text, size_t& pos, size_t count)
{
    if (pos + count > text.size())
        return -1;
    int value = 0;
    for (size_t i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    pos += count;
    return value;
}

bool literal(const std::string& text, size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

} // namespace

MomentArgument parse_moment(const std::string& option, const std::string& text)
{
    const UsageError malformed(option + ": '" + text + "' is not a moment like 2026-12-24T21:00+01:00");
    MomentArgument moment;
    size_t pos = 0;
    // Astronomical years: 0000 is 1 BC, -0001 is 2 BC.
    const bool before_year_zero = literal(text, pos, '-');
    moment.year = digits(text, pos, 4);
    const bool date_ok = literal(text, pos, '-') && (moment.month = digits(text, pos, 2)) >= 0 && literal(text, pos, '-') &&
                         (moment.day = digits(text, pos, 2)) >= 0 && literal(text, pos, 'T') &&
                         (moment.hour = digits(text, pos, 2)) >= 0 && literal(text, pos, ':') &&
                         (moment.minute = digits(text, pos, 2)) >= 0;
    if (moment.year < 0 || !date_ok)
        throw malformed;
    if (before_year_zero)
        moment.year = -moment.year;
    if (literal(text, pos, ':')) {
        const int whole = digits(text, pos, 2);
        if (whole < 0)
            throw malformed;
        moment.second = whole;
        if (literal(text, pos, '.')) {
            double scale = 0.1;
            const size_t first = pos;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
                moment.second += (text[pos++] - '0') * scale;
                scale /= 10.0;
            }
            if (pos == first)
                throw malformed;
        }
    }
    if (pos < text.size()) {
        if (literal(text, pos, 'Z')) {
            moment.bias_minutes = 0;
        } else {
            const char sign = text[pos++];
            const int hours = digits(text, pos, 2);
            const bool colon = literal(text, pos, ':');
            const int minutes = digits(text, pos, 2);
            if ((sign != '+' && sign != '-') || hours < 0 || !colon || minutes < 0)
                throw malformed;
            if (hours > 14 || minutes > 59)
                throw UsageError(option + ": '" + text.substr(text.size() - 6) + "' is not a time-zone offset");
            const int offset = hours * 60 + minutes;
            // An offset east of Greenwich means local time is ahead of UTC: the bias is negative.
            moment.bias_minutes = sign == '+' ? -offset : offset;
        }
        if (pos != text.size())
            throw malformed;
    }
    if (moment.month < 1 || moment.month > 12 || moment.day < 1 || moment.day > days_in_month_of(moment.year, moment.month) ||
        moment.hour > 23 || moment.minute > 59 || moment.second >= 60.0)
        throw UsageError(option + ": '" + text + "' is not a valid date and time");
    if (is_skipped_date(moment.year, moment.month, moment.day))
        throw UsageError(option + ": '" + text.substr(0, 10) +
                         "' never existed: the Gregorian calendar followed 1582-10-04 (Julian) with 1582-10-15");
    return moment;
}

} // namespace stellaro
