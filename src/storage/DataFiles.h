// Where the program finds the data it ships (the opening book, say) without a window: beside the
// program in a build tree or an unpacked copy, else in the installation's data folder.
#pragma once

#include <filesystem>
#include <string_view>

namespace vornix {

std::filesystem::path programDataFile(std::string_view name);

} // namespace vornix
