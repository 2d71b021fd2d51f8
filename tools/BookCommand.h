// The analysis tool's "book" commands: build, verify, frontier and merge.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace vornix {

int bookCommand(const std::vector<std::string_view>& args);

} // namespace vornix
