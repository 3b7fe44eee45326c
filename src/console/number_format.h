// The countdown's number format " ###:##.###".
#pragma once

#include <string>

namespace ashwicket {

// A space, whole in 3 columns, ":", fraction rounded half up to 3 decimals in 6 columns.
std::string FormatCountdown(double whole, double fraction);

}  // namespace ashwicket
