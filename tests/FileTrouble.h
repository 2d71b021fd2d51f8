// Files that refuse to be written, whoever runs the tests: root passes over permissions, so these
// take a test's file access down to an ordinary user's, or cap how large a file may grow.
#pragma once

#include <csignal>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace vornix::testing {

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
