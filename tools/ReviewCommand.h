// The analysis tool's "review" command: a verdict on the position after every placement of a game.
#pragma once

#include <string_view>
#include <vector>

namespace vornix {

int reviewCommand(const std::vector<std::string_view>& args);

} // namespace vornix
