// Files as bytes, and files that refuse to be written whoever runs the tests: root passes over
// permissions, so these take a test's file access down to an ordinary user's, or cap how large a
// file may grow.
#pragma once

#include <cstdint>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace vornix::testing {

inline std::vector<std::uint8_t> readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <class Bytes>
void writeAll(const std::filesystem::path& file, const Bytes& bytes)
{
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline std::string readText(const std::filesystem::path& file)
{
    const auto bytes = readAll(file);
    return {bytes.begin(), bytes.end()};
}

// A little-endian 32-bit number as saved games hold them.
inline std::int32_t int32At(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24);
}

inline void put32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v)
{
    for (int n = 0; n < 4; ++n)
        b[at + n] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * n));
}

// While it lives, files are opened with the rights of the user "nobody" when the tests run as root,
// and with the test's own rights otherwise.
class OrdinaryUserFiles {
public:
    OrdinaryUserFiles()
    {
        if (root_) {
            ::setfsgid(kNobody);
            ::setfsuid(kNobody);
        }
    }
    ~OrdinaryUserFiles()
    {
        if (root_) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    OrdinaryUserFiles(const OrdinaryUserFiles&) = delete;
    OrdinaryUserFiles& operator=(const OrdinaryUserFiles&) = delete;

private:
    static constexpr unsigned kNobody = 65534;
    bool root_ = ::geteuid() == 0;
};

// While it lives, no file can grow beyond this many bytes: a write past it fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace vornix::testing
