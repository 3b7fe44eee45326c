#include "console/number_format.h"

#include <cmath>
#include <cstdio>

namespace ashwicket {

std::string FormatCountdown(double whole, double fraction) {
  // Round half up first, so that printf only ever sees a value sitting on a thousandth.
  const double rounded = std::floor(fraction * 1000.0 + 0.5) / 1000.0;
  char text[64];
  std::snprintf(text, sizeof text, " %3lld:%6.3f", static_cast<long long>(whole), rounded);
  return text;
}

}  // namespace ashwicket
