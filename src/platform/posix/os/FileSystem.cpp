// SPDX-License-Identifier: MIT
#include "platform/FileSystem.h"

#include "UniqueFd.h"
#include "WriteAll.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace twinvane::platform {
namespace {

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return "/";
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// Locks the whole file with an open-file-description lock, so that the lock
// belongs to this one open: a second open of the same file, even in this
// process, conflicts with it as a second CreateFile would on Windows.
bool LockWholeFile(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    lock.l_pid = 0;
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
        return true;
    }
    // Some file systems offer no locks at all; there the copy goes on as
    // it would without share modes, guarded by the identity check.
    return errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP;
}

bool SameFile(int a, int b) {
    struct stat sa {};
    struct stat sb {};
    return ::fstat(a, &sa) == 0 && ::fstat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

std::string FullPathName(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const std::string joined = path.front() == '/' ? path : CurrentFolder() + "/" + path;
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= joined.size();) {
        const std::size_t end = std::min(joined.find('/', start), joined.size());
        if (std::string part = joined.substr(start, end - start); !part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    // After a link, ".." leads to the parent of the link's target, not back
    // to where the link stands: only the system can fold it. The part up to
    // the last ".." is resolved as the kernel resolves it; when it cannot
    // be (a folder is missing), the ".." stay as given.
    std::string full;
    auto rest = parts.begin();
    const auto lastUp = std::find(parts.rbegin(), parts.rend(), "..");
    if (lastUp != parts.rend()) {
        std::string upTo;
        for (auto part = parts.begin(); part != lastUp.base(); ++part) {
            upTo += "/" + *part;
        }
        const std::unique_ptr<char, decltype(&std::free)> resolved(
            ::realpath(upTo.c_str(), nullptr), &std::free);
        if (resolved) {
            full = resolved.get();
            full = full == "/" ? "" : full;
            rest = lastUp.base();
        }
    }
    for (; rest != parts.end(); ++rest) {
        full += '/';
        full += *rest;
    }
    if (full.empty() || path.back() == '/') {
        full += '/';
    }
    return full;
}

std::uint32_t FileAttributes(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        return kInvalidFileAttributes;
    }
    if (S_ISDIR(st.st_mode)) {
        return kAttributeDirectory;
    }
    return ::access(path.c_str(), W_OK) == 0 ? kAttributeNormal : kAttributeReadOnly;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || st.st_size < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

bool RemoveFile(const std::string& path) {
    // Like DeleteFile, this removes files only: never a folder, and never a
    // device node such as /dev/full that a copy was pointed at.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) {
        return false;
    }
    return ::unlink(path.c_str()) == 0;
}

FileHandle FileHandle::OpenSharedRead(const std::string& path) {
    // A device is refused before it is opened, as opening some (a tape, a
    // serial line) already acts on them. O_NONBLOCK keeps the open of a FIFO
    // without a writer from waiting for one; the type is checked again on
    // what was opened, in case the name was swapped meanwhile.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return {};
    }
    posix::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.IsOpen()) {
        return {};
    }
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return {};
    }
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags == -1 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return {};
    }
    if (!LockWholeFile(fd.Get(), F_RDLCK)) {
        return {};
    }
    return FileHandle(fd.Release());
}

FileHandle FileHandle::CreateForCopy(const std::string& path, const FileHandle& source) {
    // Opened without O_TRUNC: the content may only go once the file is known
    // to be neither the source nor open elsewhere.
    posix::UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666));
    if (!fd.IsOpen()) {
        return {};
    }
    if (source.IsOpen() && SameFile(fd.Get(), static_cast<int>(source.native_))) {
        return {};
    }
    if (!LockWholeFile(fd.Get(), F_WRLCK)) {
        return {};
    }
    // Only a file with content is truncated: on ext4 a truncation makes the
    // close flush the new data at once, which a fresh file does not need.
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 ||
        (S_ISREG(st.st_mode) && st.st_size > 0 && ::ftruncate(fd.Get(), 0) != 0)) {
        return {};
    }
    return FileHandle(fd.Release());
}

std::ptrdiff_t FileHandle::Read(void* buffer, std::size_t count) noexcept {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(native_), buffer, count);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

bool FileHandle::WriteAll(const void* buffer, std::size_t count) noexcept {
    return posix::WriteAll(static_cast<int>(native_), buffer, count);
}

void FileHandle::Close() noexcept {
    if (native_ != kClosed) {
        ::close(static_cast<int>(native_));
        native_ = kClosed;
    }
}

namespace {

bool IsIdentity(const struct stat& st, const FileIdentity& identity) {
    return st.st_dev == identity.volume && st.st_ino == identity.index;
}

// Calls `visit` with each entry of `folder` until it returns true; false
// when the folder cannot be read.
template <typename Visit> bool AnyEntry(const std::filesystem::path& folder, Visit visit) {
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (visit(entry->path())) {
            return true;
        }
    }
    return false;
}

// True when a process has the file open, as far as /proc shows the open
// files of this user's processes; only they can reach the private folder.
// Without /proc nothing can be told, and the file counts as open.
bool IsOpenByAnyProcess(const FileIdentity& identity) {
    struct stat procfs {};
    if (::stat("/proc/self/fd", &procfs) != 0) {
        return true;
    }
    return AnyEntry("/proc", [&](const std::filesystem::path& process) {
        const std::string pid = process.filename().string();
        if (pid.empty() ||
            !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return false;
        }
        return AnyEntry(process / "fd", [&](const std::filesystem::path& fd) {
            struct stat st {};
            return ::stat(fd.c_str(), &st) == 0 && IsIdentity(st, identity);
        });
    });
}

} // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
}

bool RemoveUnusedFile(const std::string& path, const FileIdentity& identity) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return false;
    }
    const posix::UniqueFd folder(::open(slash == 0 ? "/" : path.substr(0, slash).c_str(),
                                        O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.IsOpen()) {
        return errno == ENOENT || errno == ENOTDIR;
    }
    // Only in a folder no other user may write to: there nobody can put
    // another file at the name between the check below and the unlink.
    struct stat st {};
    if (::fstat(folder.Get(), &st) != 0 || st.st_uid != ::geteuid() || (st.st_mode & 022) != 0) {
        return false;
    }
    const std::string name = path.substr(slash + 1);
    if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISREG(st.st_mode) || !IsIdentity(st, identity)) {
        return true;
    }
    if (IsOpenByAnyProcess(identity)) {
        return false;
    }
    return ::unlinkat(folder.Get(), name.c_str(), 0) == 0 || errno == ENOENT;
}

} // namespace twinvane::platform
