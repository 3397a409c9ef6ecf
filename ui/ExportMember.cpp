#include "ui/ExportMember.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {
// The kernel gives up after as many hops when it follows links itself.
constexpr int kMaxLinkHops = 40;
// What fopen(..., "wb") gives a file it creates, before the umask.
constexpr mode_t kNewFileMode = 0666;
// Permission bits carried over from a file that is replaced.
constexpr mode_t kPermissionBits = 07777;

std::string Failure(const std::string& destination, const std::string& reason) {
    return "Could not save \"" + destination + "\": " + reason + ".";
}

std::string ErrnoText(int error) {
    return std::strerror(error);
}

// A temporary file that is removed again unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (m_file != nullptr) {
            std::fclose(m_file);
        } else if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }

    // Creates a uniquely named file in `folder`; false with errno set on failure.
    bool Create(const std::string& folder) {
        std::string pattern = folder + ".marivenn-export-XXXXXX";
        m_fd = ::mkstemp(pattern.data());
        if (m_fd < 0) {
            return false;
        }
        m_path = pattern;
        m_file = ::fdopen(m_fd, "wb");
        return m_file != nullptr;
    }

    std::FILE* File() const { return m_file; }
    int Descriptor() const { return m_fd; }
    const std::string& Path() const { return m_path; }

    // Closes the stream; false with errno set when buffered bytes could not be written.
    bool Close() {
        std::FILE* file = m_file;
        m_file = nullptr;
        m_fd = -1;
        return std::fclose(file) == 0;
    }

    // After a successful rename the file is the destination and must stay.
    void Keep() { m_path.clear(); }

private:
    int m_fd = -1;
    std::FILE* m_file = nullptr;
    std::string m_path;
};

// The folder part of `path` including its trailing slash, or empty for a bare name.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows symbolic links from `path` to the file that is really written. False with errno
// set when a link cannot be read or the chain does not end.
bool ResolveLinks(std::string& path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            return errno == ENOENT;  // a new file, or a dangling link's target to create
        }
        if (!S_ISLNK(info.st_mode)) {
            return true;
        }
        std::string target(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            return false;
        }
        target.resize(static_cast<std::size_t>(length));
        path = (!target.empty() && target[0] == '/') ? target : FolderOf(path) + target;
    }
    errno = ELOOP;
    return false;
}

mode_t CurrentUmask() {
    // The umask can only be read by setting it; the window's thread is the only user.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}
}  // namespace

std::string ExportMember(const CPackFile& pack, const char* member, const char* destination) {
    const std::string shown = destination != nullptr ? destination : "";
    if (shown.empty()) {
        return "Could not save: no file name was given.";
    }
    const std::string name = member != nullptr ? member : "";

    const std::int64_t offset = pack.OffsetOf(name.c_str());
    const std::int64_t size = pack.SizeOf(name.c_str());
    if (offset == 0) {
        return Failure(shown, "the track's file \"" + name + "\" is missing from the archive");
    }
    if (pack.m_pFile == nullptr) {
        return Failure(shown, "the archive is not open");
    }

    // Check the entry against the archive as it is now, so a hostile directory or a file cut
    // short since start-up sizes no allocation.
    struct stat archive {};
    if (::fstat(::fileno(pack.m_pFile), &archive) != 0) {
        return Failure(shown, "the archive cannot be read (" + ErrnoText(errno) + ")");
    }
    const std::int64_t archiveSize = archive.st_size;
    if (offset < 0 || size < 0 || offset > archiveSize || size > archiveSize - offset) {
        return Failure(shown, "the archive's entry for \"" + name +
                                  "\" is damaged (it points outside the archive)");
    }

    std::string target = shown;
    if (!ResolveLinks(target)) {
        return Failure(shown, ErrnoText(errno));
    }
    mode_t mode = kNewFileMode & ~CurrentUmask();
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing) {
        if (S_ISDIR(existing.st_mode)) {
            return Failure(shown, "it is a folder");
        }
        if (!S_ISREG(existing.st_mode)) {
            return Failure(shown, "it is not a regular file");
        }
        mode = existing.st_mode & kPermissionBits;
    } else if (errno != ENOENT) {
        return Failure(shown, ErrnoText(errno));
    }

    // Read the whole member before anything is created, so no failure can touch the disk.
    const auto length = static_cast<std::size_t>(size);
    const std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(length);
    if (::fseeko(pack.m_pFile, static_cast<off_t>(offset), SEEK_SET) != 0) {
        return Failure(shown, "the archive cannot be read (" + ErrnoText(errno) + ")");
    }
    if (length > 0 && std::fread(buffer.get(), 1, length, pack.m_pFile) != length) {
        if (std::ferror(pack.m_pFile) != 0) {
            const int error = errno;
            std::clearerr(pack.m_pFile);
            return Failure(shown, "the archive cannot be read (" + ErrnoText(error) + ")");
        }
        std::clearerr(pack.m_pFile);
        return Failure(shown, "the archive ended before all of \"" + name + "\" could be read");
    }

    TemporaryFile temporary;
    if (!temporary.Create(FolderOf(target))) {
        return Failure(shown, ErrnoText(errno));
    }
    if (length > 0 && std::fwrite(buffer.get(), 1, length, temporary.File()) != length) {
        return Failure(shown, "writing failed (" + ErrnoText(errno) + ")");
    }
    if (std::fflush(temporary.File()) != 0) {
        return Failure(shown, "writing failed (" + ErrnoText(errno) + ")");
    }
    // Best effort: only the owner's own groups or root may hand a file on, and a copy owned
    // by whoever saved it is no loss. Ownership goes first because it clears set-id bits.
    if (replacing && ::fchown(temporary.Descriptor(), existing.st_uid, existing.st_gid) != 0) {
        errno = 0;
    }
    // On disk before the rename, so a crash cannot leave an empty file in place of the old.
    if (::fsync(temporary.Descriptor()) != 0 || ::fchmod(temporary.Descriptor(), mode) != 0) {
        return Failure(shown, "writing failed (" + ErrnoText(errno) + ")");
    }
    if (!temporary.Close()) {
        return Failure(shown, "writing failed (" + ErrnoText(errno) + ")");
    }
    if (std::rename(temporary.Path().c_str(), target.c_str()) != 0) {
        return Failure(shown, ErrnoText(errno));
    }
    temporary.Keep();
    return {};
}
