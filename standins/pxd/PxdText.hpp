// Small helpers the stand-in's parts share: formatting and the names of
// positions and signal codes.
#pragma once

#include "PxdStandIn.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace pxd::detail {

// F2 from 1 to this: a sideways week.
constexpr long kSidewaysLimit = 45;

inline bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}

inline std::string Trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string Format(const char* fmt, auto... args)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

inline std::string Money(double dollars)
{
    return Format("%+.0f", std::round(dollars));
}

inline std::string PaddedRight(std::string s, std::size_t width)
{
    s.resize(std::max(width, s.size()), ' ');
    return s;
}

const char* SideName(Position p);
// "BUY" for "GL" and so on; empty for a code that is none of the eight.
const char* SignalName(const std::string& code);

}  // namespace pxd::detail
