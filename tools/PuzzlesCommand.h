// The analysis tool's "puzzles" commands: generate, verify and list.
#pragma once

#include <string_view>
#include <vector>

namespace vornix {

int puzzlesCommand(const std::vector<std::string_view>& args);

} // namespace vornix
