// An independent model of the main indicator file, written from the
// formulas with plain integers in units of each field's last decimal place.
// It shares no code with the program, so the two agree only when both
// follow the same rules.
#pragma once

#include <string>
#include <vector>

namespace mvrref {

// The expected lines of "FK.MVR" (190 characters each) for a price file
// that passes its checks. market is "US" or "TY".
std::vector<std::string> ExpectedIndicatorLines(const std::vector<std::string>& priceLines, const std::string& market);

}  // namespace mvrref
