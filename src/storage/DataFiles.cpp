#include "storage/DataFiles.h"

#include <system_error>

namespace vornix {

std::filesystem::path programDataFile(std::string_view name)
{
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    const std::filesystem::path beside = program / name;
    if (std::filesystem::exists(beside, ec))
        return beside;
    return program / VORNIX_DATA_FROM_PROGRAM / name;
}

} // namespace vornix
