// The two closing pages shown after the accusation.
#pragma once

#include <span>
#include <string_view>

namespace ashwicket {

std::span<const std::string_view> FirstEndingPage();   // 16 rows
std::span<const std::string_view> SecondEndingPage();  // 8 rows

}  // namespace ashwicket
