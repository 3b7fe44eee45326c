// The opening story and the death page.
#pragma once

#include <span>
#include <string_view>

namespace ashwicket {

std::span<const std::string_view> OpeningStory();  // the 10 story lines of the first page
std::span<const std::string_view> DeathPage();     // 4 lines

}  // namespace ashwicket
