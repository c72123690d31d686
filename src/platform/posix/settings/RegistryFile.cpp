// SPDX-License-Identifier: MIT
#include "RegistryFile.h"

#include "RegeditFormat.h"
#include "platform/posix/os/UniqueFd.h"
#include "platform/posix/os/WriteAll.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <thread>
#include <tuple>
#include <vector>

namespace twinvane::platform::posix {
namespace {

constexpr const char* kFileName = "registry.reg";
constexpr const char* kTempName = "registry.reg.tmp";
constexpr const char* kLockName = "registry.reg.lock";
constexpr int kMaxBadCopies = 100;
constexpr int kMaxLinks = 40;
constexpr std::chrono::milliseconds kLockPoll{5};
// A registry export of a whole profile stays far below this; anything
// larger is not ours to load into memory.
constexpr off_t kMaxFileSize = 64 * 1024 * 1024;

// Raises `what` with the reason of `error`, as the UI shows it.
[[noreturn]] void Fail(const std::string& what, int error = errno) {
    throw RegistryError(what + ": " + std::strerror(error));
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

// Opens the folder `folder`; raises `what` when it cannot.
UniqueFd OpenFolder(const std::string& folder, const std::string& what) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.IsOpen()) {
        Fail(what);
    }
    return fd;
}

// Opens `name` in `dir` without blocking, so that a FIFO or a device in its
// place is refused rather than waited on; closed when there is none.
UniqueFd OpenRegularFile(int dir, const char* name, int flags, const std::string& what) {
    UniqueFd fd(::openat(dir, name, flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600));
    struct stat st {};
    if (!fd.IsOpen() && errno == ENOENT && (flags & O_CREAT) == 0) {
        return fd;
    }
    if (!fd.IsOpen() || ::fstat(fd.Get(), &st) != 0) {
        Fail(what);
    }
    if (!S_ISREG(st.st_mode)) {
        throw RegistryError(what + ": it is not a regular file");
    }
    return fd;
}

// The bytes of `name` in `dir`, or nothing when it does not exist.
std::optional<std::string> ReadContent(int dir, const std::string& name, const std::string& path) {
    const std::string what = "Cannot read the settings file " + path;
    const UniqueFd fd = OpenRegularFile(dir, name.c_str(), O_RDONLY, what);
    if (!fd.IsOpen()) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (ssize_t got = 0; (got = ::read(fd.Get(), buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR) {
            Fail(what);
        }
        content.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        // Measured as it is read, as it may grow meanwhile.
        if (content.size() > static_cast<std::size_t>(kMaxFileSize)) {
            throw RegistryError(what + ": it is over 64 MiB");
        }
    }
    return content;
}

// Where a save goes: the settings file itself or, when that is a symbolic
// link, the file at the end of the links (which need not exist yet), so
// that a link into a folder of dotfiles stays a link.
std::filesystem::path FollowLinks(const std::string& folder, const std::string& path) {
    std::filesystem::path place = folder + "/" + kFileName;
    std::error_code error;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(place, error))) {
            return place;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(place, error);
        if (error) {
            Fail("Cannot follow the link " + path, error.value());
        }
        place = place.parent_path() / target;
    }
    Fail("Cannot follow the link " + path, ELOOP);
}

// The first of registry.reg.bad, registry.reg.bad.2, ... that is not taken.
std::string FreeBadName(const std::string& folder) {
    for (int number = 1; number <= kMaxBadCopies; ++number) {
        const std::string name =
            std::string(kFileName) + ".bad" + (number > 1 ? "." + std::to_string(number) : "");
        struct stat st {};
        if (::lstat((folder + "/" + name).c_str(), &st) != 0 && errno == ENOENT) {
            return name;
        }
    }
    return {};
}

// Writes `content` to the new file `name` in `dir`, durably, renames it to
// `finalName` when given (replacing what had that name), and syncs the
// folder, where names are kept. Returns 0 or the errno of the step that
// failed; a file begun is then removed, and what had `finalName` stays.
int WriteNewFile(int dir, const std::string& name, const std::string& content,
                 const char* finalName = nullptr) {
    UniqueFd fd(
        ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.IsOpen()) {
        return errno;
    }
    if (::fchmod(fd.Get(), 0600) != 0 || !WriteAll(fd.Get(), content.data(), content.size()) ||
        ::fsync(fd.Get()) != 0 || ::close(fd.Release()) != 0 ||
        (finalName != nullptr && ::renameat(dir, name.c_str(), dir, finalName) != 0) ||
        ::fsync(dir) != 0) {
        const int error = errno;
        ::unlinkat(dir, name.c_str(), 0); // nothing left to remove once renamed
        return error;
    }
    return 0;
}

// One version of the settings file (inode, change time): every save renames
// a new file into place, so a save by the holder of the lock shows here.
std::tuple<ino_t, time_t, long> VersionOf(int dir) {
    struct stat st {};
    ::fstatat(dir, kFileName, &st, 0);
    return {st.st_ino, st.st_ctim.tv_sec, st.st_ctim.tv_nsec};
}

// Holds an exclusive open-file-description lock on the lock file while it
// lives. A blocking lock request cannot be given a time limit, so this
// polls, and gives up once the lock has stayed held for `wait` without the
// file changing: saves of other processes coming one after another are
// waited for, a holder that does nothing is not.
UniqueFd LockFolder(int dir, const std::string& folder, std::chrono::milliseconds wait) {
    const std::string path = folder + "/" + kLockName;
    UniqueFd lock = OpenRegularFile(dir, kLockName, O_RDWR | O_CREAT | O_NOFOLLOW,
                                    "Cannot lock the settings with " + path);
    auto seen = VersionOf(dir);
    auto deadline = std::chrono::steady_clock::now() + wait;
    struct flock request = {
        .l_type = F_WRLCK, .l_whence = SEEK_SET, .l_start = 0, .l_len = 0, .l_pid = 0};
    while (::fcntl(lock.Get(), F_OFD_SETLK, &request) != 0) {
        if (errno == EAGAIN || errno == EACCES) {
            if (const auto now = VersionOf(dir); now != seen) {
                seen = now;
                deadline = std::chrono::steady_clock::now() + wait;
            } else if (std::chrono::steady_clock::now() >= deadline) {
                throw RegistryError(
                    "Cannot save the settings: another program still holds the lock file " + path);
            }
            std::this_thread::sleep_for(kLockPoll);
        } else if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP) {
            // A file system without locks still gets whole-file replacement;
            // only two simultaneous saves could then lose one another's keys.
            break;
        } else if (errno != EINTR) {
            Fail("Cannot lock the settings with " + path);
        }
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

RegistryFile::RegistryFile(std::string folder, std::chrono::milliseconds lockWait)
    : folder_(std::move(folder)), path_(folder_ + "/" + kFileName), lockWait_(lockWait) {}

RegistryDocument RegistryFile::Load() const {
    const auto content = ReadContent(AT_FDCWD, path_, path_);
    try {
        return content ? ParseRegedit(*content) : RegistryDocument();
    } catch (const RegeditParseError& error) {
        const std::string bad = FreeBadName(folder_);
        const std::string later =
            ". It will be kept as " + folder_ + "/" + bad + " when the settings are next saved";
        throw RegistryError("The settings file " + path_ + " does not parse (" + error.Message() +
                            ")" + (bad.empty() ? "" : later));
    }
}

void RegistryFile::Update(const std::function<bool(RegistryDocument&)>& change) const {
    // Creates the missing folders, private to the user as the configuration
    // folders are meant to be.
    for (std::size_t slash = 0; slash != std::string::npos;) {
        slash = folder_.find('/', slash + 1);
        ::mkdir(folder_.substr(0, slash).c_str(), 0700); // the whole path last
    }
    const UniqueFd dir = OpenFolder(folder_, "Cannot create the settings folder " + folder_);
    const UniqueFd lock = LockFolder(dir.Get(), folder_, lockWait_);
    const std::filesystem::path place = FollowLinks(folder_, path_);
    const std::string placeFolder = place.parent_path(), name = place.filename();
    const bool ownFolder = placeFolder == folder_;
    const UniqueFd saveDir =
        OpenFolder(placeFolder, "Cannot save the settings file " + path_ + " in " + placeFolder);

    RegistryDocument document;
    std::optional<std::string> unparsable = ReadContent(saveDir.Get(), name, path_);
    try {
        document = unparsable ? ParseRegedit(*unparsable) : RegistryDocument();
        unparsable.reset();
    } catch (const RegeditParseError&) {
        // Counts as empty; copied beside once the change is known, and
        // left in place until the new file replaces it.
    }
    if (!change(document)) {
        return;
    }
    const std::string kept = unparsable ? FreeBadName(folder_) : ""; // where it is copied to
    if (unparsable) {
        const int error = kept.empty() ? 0 : WriteNewFile(dir.Get(), kept, *unparsable);
        if (kept.empty() || error != 0) {
            throw RegistryError("Cannot keep the settings file " + path_ +
                                ", which does not parse, beside in " + folder_ + ": " +
                                (kept.empty() ? "too many earlier copies" : std::strerror(error)));
        }
    }
    // A temporary file beside the file it replaces. In the settings folder,
    // where only the holder of the lock writes, its name is fixed and a file
    // left by a writer that was killed can go; in another folder (the target
    // of a link) the name is this process's own.
    const std::string temp =
        ownFolder ? std::string(kTempName) : "." + name + ".twinvane-" + std::to_string(::getpid());
    ::unlinkat(saveDir.Get(), temp.c_str(), 0);
    if (const int error = WriteNewFile(saveDir.Get(), temp, WriteRegedit(document), name.c_str())) {
        // The file that does not parse is still there; one copy of it is enough.
        if (!kept.empty()) {
            ::unlinkat(dir.Get(), kept.c_str(), 0);
        }
        Fail("Cannot save the settings file " + path_, error);
    }
}

} // namespace twinvane::platform::posix
