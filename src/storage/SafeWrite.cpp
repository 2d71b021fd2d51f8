#include "storage/SafeWrite.h"

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornix {

namespace fs = std::filesystem;

namespace {

// A descriptor that is closed however the writing ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, reporting whether the last of the data reached the file.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAllAt(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string uniqueSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::string suffix(12, 'x');
    for (char& c : suffix)
        c = kLetters[source() % (sizeof kLetters - 1)];
    return suffix;
}

// A new file of a name nobody has, beside the target; invalid on failure, with errno saying why.
Descriptor createTemporary(const fs::path& target, fs::path& temporary)
{
    for (int attempt = 0; attempt < 64; ++attempt) {
        temporary = target.parent_path() / ("." + target.filename().string() + "." + uniqueSuffix() + ".tmp");
        // O_EXCL with O_NOFOLLOW: whatever stands at that name, a file or a link, is never used.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return Descriptor(fd);
    }
    return Descriptor(-1);
}

bool replaceThroughTemporary(const fs::path& target, std::span<const std::uint8_t> bytes, bool& folderRefused)
{
    fs::path temporary;
    Descriptor fd = createTemporary(target, temporary);
    if (!fd.valid()) {
        folderRefused = errno == EACCES || errno == EPERM;
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat existing {};
    const bool written = (::stat(target.c_str(), &existing) != 0 || ::fchmod(fd.get(), existing.st_mode & 07777) == 0)
        && writeAllAt(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder; a failure here loses nothing already written.
    const Descriptor folder(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
    return true;
}

bool rewriteInPlace(const fs::path& target, std::span<const std::uint8_t> bytes)
{
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat existing {};
    if (!fd.valid() || ::fstat(fd.get(), &existing) != 0 || !S_ISREG(existing.st_mode))
        return false;
    const auto size = static_cast<off_t>(bytes.size());
    // Room for the whole new text first: if the disk is full, not one byte of the old has changed.
    if (size > existing.st_size && ::posix_fallocate(fd.get(), 0, size) != 0)
        return false;
    return writeAllAt(fd.get(), bytes) && ::ftruncate(fd.get(), size) == 0 && ::fsync(fd.get()) == 0 && fd.close();
}

} // namespace

bool writeFileSafely(const fs::path& file, std::span<const std::uint8_t> bytes)
{
    // A link is followed to the file it names, even one not there yet; a loop of links fails.
    std::error_code ec;
    fs::path target = file;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
        const fs::path link = fs::read_symlink(target, ec);
        if (ec || hops == 40)
            return false;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    bool folderRefused = false;
    if (replaceThroughTemporary(target, bytes, folderRefused))
        return true;
    return folderRefused && fs::is_regular_file(target, ec) && rewriteInPlace(target, bytes);
}

} // namespace vornix
