// SPDX-License-Identifier: MIT
#include "RegistryFile.h"

#include "RegeditFormat.h"
#include "UniqueFd.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <vector>

namespace twinvane::platform::posix {
namespace {

constexpr const char* kFileName = "registry.reg";
constexpr const char* kTempName = "registry.reg.tmp";
constexpr const char* kLockName = "registry.reg.lock";
constexpr int kMaxBadCopies = 100;
// A registry export of a whole profile stays far below this; anything
// larger is not ours to load into memory.
constexpr off_t kMaxFileSize = 64 * 1024 * 1024;

std::string ErrorText(int error) {
    return std::strerror(error);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    throw RegistryError("Cannot find the folder for the settings: HOME is not set");
}

UniqueFd OpenFolder(const std::string& folder) {
    return UniqueFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Creates the missing folders of `folder`, private to the user as the
// configuration folders are meant to be.
UniqueFd CreateFolder(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
    }
    ::mkdir(folder.c_str(), 0700);
    UniqueFd dir = OpenFolder(folder);
    if (!dir.IsOpen()) {
        throw RegistryError("Cannot create the settings folder " + folder + ": " +
                            ErrorText(errno));
    }
    return dir;
}

// The file's bytes, or nothing when it does not exist.
std::optional<std::string> ReadContent(int dir, const std::string& path) {
    UniqueFd fd(::openat(dir, kFileName, O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd.IsOpen()) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throw RegistryError("Cannot read the settings file " + path + ": " + ErrorText(errno));
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        throw RegistryError("Cannot read the settings file " + path + ": " + ErrorText(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        throw RegistryError("Cannot read the settings file " + path + ": it is not a file");
    }
    if (st.st_size > kMaxFileSize) {
        throw RegistryError("Cannot read the settings file " + path + ": it is over 64 MiB");
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got == 0) {
            return content;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw RegistryError("Cannot read the settings file " + path + ": " + ErrorText(errno));
        }
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() > static_cast<std::size_t>(kMaxFileSize)) {
            throw RegistryError("Cannot read the settings file " + path + ": it is over 64 MiB");
        }
    }
}

// The first of registry.reg.bad, registry.reg.bad.2, ... that is not taken.
std::string FreeBadName(int dir) {
    for (int number = 1; number <= kMaxBadCopies; ++number) {
        std::string name = std::string(kFileName) + ".bad";
        if (number > 1) {
            name += "." + std::to_string(number);
        }
        struct stat st {};
        if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT) {
            return name;
        }
    }
    return {};
}

void MoveAside(int dir, const std::string& folder, const std::string& path) {
    const std::string name = FreeBadName(dir);
    if (name.empty() || ::renameat(dir, kFileName, dir, name.c_str()) != 0) {
        const std::string reason = name.empty() ? "too many earlier copies" : ErrorText(errno);
        throw RegistryError("Cannot keep the settings file " + path +
                            ", which does not parse, beside in " + folder + ": " + reason);
    }
}

bool WriteAll(int fd, const std::string& content) {
    const char* bytes = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, bytes, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Returns 0 or the errno of the step that failed; the old file then stays.
int ReplaceAtomically(int dir, const std::string& content) {
    // Only the holder of the lock writes here, so a temporary file left by
    // a writer that was killed can go.
    ::unlinkat(dir, kTempName, 0);
    UniqueFd fd(
        ::openat(dir, kTempName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.IsOpen()) {
        return errno;
    }
    int error = 0;
    if (::fchmod(fd.Get(), 0600) != 0 || !WriteAll(fd.Get(), content) || ::fsync(fd.Get()) != 0 ||
        ::close(fd.Release()) != 0 || ::renameat(dir, kTempName, dir, kFileName) != 0) {
        error = errno;
        ::unlinkat(dir, kTempName, 0);
        return error;
    }
    // The rename itself is only durable once the folder is.
    return ::fsync(dir) == 0 ? 0 : errno;
}

// Holds an exclusive open-file-description lock on the lock file while it lives.
UniqueFd LockFolder(int dir, const std::string& folder) {
    UniqueFd lock(
        ::openat(dir, kLockName, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
    if (!lock.IsOpen()) {
        throw RegistryError("Cannot lock the settings in " + folder + ": " + ErrorText(errno));
    }
    struct flock request {};
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
    while (::fcntl(lock.Get(), F_OFD_SETLKW, &request) != 0) {
        if (errno == EINTR) {
            continue;
        }
        // A file system without locks still gets whole-file replacement;
        // only two simultaneous saves could then lose one another's keys.
        if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP) {
            break;
        }
        throw RegistryError("Cannot lock the settings in " + folder + ": " + ErrorText(errno));
    }
    return lock;
}

} // namespace

RegistryFile RegistryFile::ForCurrentUser() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base =
        config != nullptr && config[0] == '/' ? std::string(config) : HomeFolder() + "/.config";
    return RegistryFile(base + "/twinvane");
}

RegistryFile::RegistryFile(std::string folder)
    : folder_(std::move(folder)), path_(folder_ + "/" + kFileName) {}

RegistryDocument RegistryFile::Load() const {
    const UniqueFd dir = OpenFolder(folder_);
    if (!dir.IsOpen()) {
        if (errno == ENOENT) {
            return {};
        }
        throw RegistryError("Cannot read the settings file " + path_ + ": " + ErrorText(errno));
    }
    const auto content = ReadContent(dir.Get(), path_);
    if (!content) {
        return {};
    }
    try {
        return ParseRegedit(*content);
    } catch (const RegeditParseError& error) {
        const std::string bad = FreeBadName(dir.Get());
        const std::string what =
            "The settings file " + path_ + " does not parse (" + error.Message() + ")";
        if (bad.empty()) {
            throw RegistryError(what);
        }
        throw RegistryError(what + ". It will be kept as " + folder_ + "/" + bad +
                            " when the settings are next saved");
    }
}

void RegistryFile::Update(const std::function<bool(RegistryDocument&)>& change) const {
    const UniqueFd dir = CreateFolder(folder_);
    const UniqueFd lock = LockFolder(dir.Get(), folder_);
    RegistryDocument document;
    if (const auto content = ReadContent(dir.Get(), path_)) {
        try {
            document = ParseRegedit(*content);
        } catch (const RegeditParseError&) {
            MoveAside(dir.Get(), folder_, path_);
        }
    }
    if (!change(document)) {
        return;
    }
    if (const int error = ReplaceAtomically(dir.Get(), WriteRegedit(document))) {
        throw RegistryError("Cannot save the settings file " + path_ + ": " + ErrorText(error));
    }
}

} // namespace twinvane::platform::posix
