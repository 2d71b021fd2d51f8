// Replacing a file's contents so that a failure never leaves it damaged or cut short.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vornix {

// Writes the bytes to a new file of a unique name beside the target, flushes them to the disk and
// only then renames it over the target, so an earlier file stays whole until the new one is. The
// temporary never replaces or follows anything already there, and is removed on every failure.
// A target that is a symbolic link is written where the link points.
//
// A folder that refuses new files can still hold a writable target: that one is rewritten in
// place, its space reserved before the first byte changes, so a failure cannot cut it short.
// False when the bytes could not be written.
bool writeFileSafely(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

} // namespace vornix
