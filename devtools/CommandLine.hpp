// Reading the command line of our own tools (the sample generator, the
// benchmark): options with their values, whole numbers with their range,
// and the usage error that tells the user what was wrong.
#pragma once

#include <stdexcept>
#include <string>

namespace devtools {

// A wrong command line: the message says what was wrong; the tool prints it
// with its usage line and exits with status 2.
struct UsageError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// text as a whole number of decimal digits only, in min..max; throws
// UsageError naming option otherwise.
unsigned long long WholeNumber(const std::string& option, const std::string& text, unsigned long long min,
                               unsigned long long max);

// The arguments after the program's name, one at a time.
class Arguments {
public:
    Arguments(int argc, char** argv) : argc_(argc), argv_(argv) {}

    // Steps to the next argument; false after the last.
    bool Next();
    const std::string& Current() const { return current_; }
    bool IsHelp() const { return current_ == "--help" || current_ == "-h"; }
    bool IsOption() const { return current_.starts_with("-"); }
    // The argument after the current option, stepped over; throws
    // UsageError when there is none.
    std::string Value();
    // Value() as a WholeNumber in min..max.
    unsigned long long WholeValue(unsigned long long min, unsigned long long max);
    // Throws UsageError: the current argument is an unknown option, or
    // unexpected.
    [[noreturn]] void Reject() const;

private:
    int argc_;
    char** argv_;
    int index_ = 0;
    std::string current_;
};

}  // namespace devtools
