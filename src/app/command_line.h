#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace stellaro {

// A bad command-line value: the program prints the message on one line and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options after the command name, taken one by one; "--name value" and "--name=value" both
// work. An option that is not repeatable is refused when given twice, flags alike: a second value
// would silently win over the first, and a doubled flag is as likely a slip in a script as a
// repeated value is.
class OptionList {
public:
    explicit OptionList(std::vector<std::string> arguments);

    bool flag(const std::string& name);
    std::optional<std::string> value(const std::string& name);
    // Every value of a repeatable option, in order.
    std::vector<std::string> values(const std::string& name);
    // Throws for anything not taken.
    void finish() const;

private:
    std::vector<std::string> arguments;
};

double parse_number(const std::string& option, const std::string& text);
double parse_number_in(const std::string& option, const std::string& text, double low, double high);
int parse_integer_in(const std::string& option, const std::string& text, int low, int high);

// A moment given as YYYY-MM-DDTHH:MM[:SS][Z|+HH:MM|-HH:MM].
struct MomentArgument {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    double second = 0.0;
    // UTC = local + bias, in minutes; nothing when the moment names no zone.
    std::optional<int> bias_minutes;
};
MomentArgument parse_moment(const std::string& option, const std::string& text);

} // namespace stellaro
