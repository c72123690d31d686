// SPDX-License-Identifier: MIT
#include "PrivateFolder.h"

#include "WriteAll.h"
#include "platform/Exception.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace twinvane::platform::posix {
namespace {

constexpr mode_t kPrivateMode = 0700;

std::string Reason(int error = errno) {
    return std::strerror(error);
}

[[noreturn]] void RefuseFolder(const std::string& path, const std::string& why) {
    throw Exception("The folder for temporary copies " + path +
                    " is not a private folder of yours (owned by you, mode 0700): " + why +
                    "; Twinvane will not use it");
}

// Why the folder opened as `st` must not be used; empty when it may.
std::string Unsafe(const struct stat& st) {
    if (!S_ISDIR(st.st_mode)) {
        return "it is not a folder";
    }
    if (st.st_uid != ::geteuid()) {
        return "it belongs to another user";
    }
    if ((st.st_mode & 07777) != kPrivateMode) {
        return "others may use it (its mode is not 0700)";
    }
    return {};
}

} // namespace

std::optional<PrivateFolder> PrivateFolder::Open(const std::string& path, bool create) {
    bool made = false;
    if (create) {
        made = ::mkdir(path.c_str(), kPrivateMode) == 0;
        if (!made && errno != EEXIST) {
            throw Exception("Cannot create the folder for temporary copies " + path + ": " +
                            Reason());
        }
    }
    // O_NOFOLLOW: a link planted at the name is refused, never entered.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.IsOpen()) {
        const int error = errno;
        struct stat st {};
        if (error == ENOENT && !create) {
            return std::nullopt;
        }
        if (::lstat(path.c_str(), &st) == 0) {
            RefuseFolder(path,
                         S_ISLNK(st.st_mode) ? "it is a symbolic link" : "it is not a folder");
        }
        throw Exception("Cannot open the folder for temporary copies " + path + ": " +
                        Reason(error));
    }
    // The umask may have taken bits away from a folder made just now.
    if (made && ::fchmod(fd.Get(), kPrivateMode) != 0) {
        throw Exception("Cannot prepare the folder for temporary copies " + path + ": " + Reason());
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        throw Exception("Cannot examine the folder for temporary copies " + path + ": " + Reason());
    }
    if (const std::string why = Unsafe(st); !why.empty()) {
        RefuseFolder(path, why);
    }
    return PrivateFolder(path, std::move(fd));
}

void PrivateFolder::Refuse(const std::string& name, const std::string& why) const {
    throw Exception("Twinvane will not use " + path_ + "/" + name + ": " + why);
}

UniqueFd PrivateFolder::OpenOwnFile(const std::string& name, int flags) const {
    UniqueFd file(::openat(fd_.Get(), name.c_str(),
                           flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600));
    if (!file.IsOpen()) {
        switch (errno) {
        case ENOENT:
            return file;
        case ELOOP:
            Refuse(name, "it is a symbolic link");
        case ENXIO: // a FIFO without a reader, or a socket
            Refuse(name, "it is not a regular file");
        default:
            Refuse(name, Reason());
        }
    }
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) {
        Refuse(name, Reason());
    }
    if (!S_ISREG(st.st_mode)) {
        Refuse(name, "it is not a regular file");
    }
    if (st.st_uid != ::geteuid()) {
        Refuse(name, "it belongs to another user");
    }
    return file;
}

void PrivateFolder::ReplaceFile(const std::string& name, const std::string& text) const {
    const std::string temporary = name + ".new";
    // A file left by a run that ended while writing is stale.
    ::unlinkat(fd_.Get(), temporary.c_str(), 0);
    UniqueFd file = OpenOwnFile(temporary, O_WRONLY | O_CREAT | O_EXCL);
    if (!file.IsOpen() || !WriteAll(file.Get(), text.data(), text.size()) ||
        ::fsync(file.Get()) != 0 ||
        ::renameat(fd_.Get(), temporary.c_str(), fd_.Get(), name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(fd_.Get(), temporary.c_str(), 0);
        throw Exception("Cannot write " + path_ + "/" + name + ": " + Reason(error));
    }
}

bool PrivateFolder::Rename(const std::string& from, const std::string& to) const {
    if (::renameat(fd_.Get(), from.c_str(), fd_.Get(), to.c_str()) == 0) {
        return true;
    }
    if (errno == ENOENT) {
        return false;
    }
    throw Exception("Cannot rename " + path_ + "/" + from + ": " + Reason());
}

bool PrivateFolder::Remove(const std::string& name) const {
    struct stat st {};
    return ::fstatat(fd_.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           !S_ISDIR(st.st_mode) && ::unlinkat(fd_.Get(), name.c_str(), 0) == 0;
}

} // namespace twinvane::platform::posix
