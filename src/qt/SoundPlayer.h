// Plays a wave file and waits for it, with the user's input held back meanwhile. The wait is bounded
// by the file's own length plus a margin, so a machine without sound never hangs the game.
#pragma once

#include <QString>

#include <optional>

namespace vornix::qt {

// The length of a PCM wave file in milliseconds, or nothing when it is not one.
std::optional<int> waveLengthMs(const QString& path);

void playSynchronously(const QString& path);

} // namespace vornix::qt
