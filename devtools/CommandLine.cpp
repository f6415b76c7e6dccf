#include "CommandLine.hpp"

#include <charconv>

namespace devtools {

unsigned long long WholeNumber(const std::string& option, const std::string& text, unsigned long long min,
                               unsigned long long max)
{
    const std::string quoted = option + ": \"" + text + "\"";
    unsigned long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc::invalid_argument || stop != end) throw UsageError(quoted + " is not a whole number");
    if (error == std::errc::result_out_of_range || value < min || value > max)
        throw UsageError(quoted + " is out of range " + std::to_string(min) + ".." + std::to_string(max));
    return value;
}

bool Arguments::Next()
{
    if (index_ + 1 >= argc_) return false;
    current_ = argv_[++index_];
    return true;
}

std::string Arguments::Value()
{
    if (index_ + 1 >= argc_) throw UsageError(current_ + " needs a value");
    return argv_[++index_];
}

unsigned long long Arguments::WholeValue(unsigned long long min, unsigned long long max)
{
    return WholeNumber(current_, Value(), min, max);
}

void Arguments::Reject() const
{
    throw UsageError((IsOption() ? "unknown option " : "unexpected argument ") + current_);
}

}  // namespace devtools
