// The real clock for the real front-ends: steady seconds, and the local time of day at start.
#pragma once

namespace ashwicket {

double SteadySeconds();
double LocalSecondsSinceMidnight();

}  // namespace ashwicket
