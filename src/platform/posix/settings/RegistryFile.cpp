// SPDX-License-Identifier: MIT
#include "RegistryFile.h"

#include "RegeditFormat.h"
#include "platform/posix/os/UniqueFd.h"
#include "platform/posix/os/WriteAll.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
        Fail("Cannot create the settings folder " + folder);
    }
    return dir;
}

// The bytes of `name` in `dir`, or nothing when it does not exist. Opened
// without blocking, so that a FIFO or a device in its place is refused
// rather than waited on.
std::optional<std::string> ReadContent(int dir, const std::string& name, const std::string& path) {
    const std::string what = "Cannot read the settings file " + path;
    UniqueFd fd(::openat(dir, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat st {};
    if (!fd.IsOpen() && errno == ENOENT) {
        return std::nullopt;
    }
    if (!fd.IsOpen() || ::fstat(fd.Get(), &st) != 0) {
        Fail(what);
    }
    if (!S_ISREG(st.st_mode)) {
        throw RegistryError(what + ": it is not a regular file");
    }
    std::string content;
    char buffer[65536];
    for (ssize_t got = 0; (got = ::read(fd.Get(), buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR) {
            Fail(what);
        }
        content.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        // Measured before and while it is read, as it may grow meanwhile.
        if (st.st_size > kMaxFileSize || content.size() > static_cast<std::size_t>(kMaxFileSize)) {
            throw RegistryError(what + ": it is over 64 MiB");
        }
    }
    return content;
}

// Where a save goes: the settings file itself or, when that is a symbolic
// link, the file at the end of the links (which need not exist yet), so
// that a link into a folder of dotfiles stays a link.
struct SavePlace {
    std::string folder;
    std::string name;
};

SavePlace FollowLinks(const std::string& folder, const std::string& path) {
    SavePlace place{folder, kFileName};
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        const std::string current = place.folder + "/" + place.name;
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return place;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
            Fail("Cannot follow the link " + path, length < 0 ? errno : ENAMETOOLONG);
        }
        std::string target(buffer, static_cast<std::size_t>(length));
        if (target.front() != '/') {
            target = place.folder + "/" + target;
        }
        const std::size_t slash = target.rfind('/');
        place = {slash == 0 ? "/" : target.substr(0, slash), target.substr(slash + 1)};
    }
    Fail("Cannot follow the link " + path, ELOOP);
}

// The first of registry.reg.bad, registry.reg.bad.2, ... that is not taken.
std::string FreeBadName(int dir) {
    for (int number = 1; number <= kMaxBadCopies; ++number) {
        const std::string name =
            std::string(kFileName) + ".bad" + (number > 1 ? "." + std::to_string(number) : "");
        struct stat st {};
        if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT) {
            return name;
        }
    }
    return {};
}

// Writes `content` to the new file `name` in `dir`, durably, and with
// `syncFolder` its name too. Returns 0 or the errno of the step that
// failed; a file begun is then removed.
int WriteNewFile(int dir, const std::string& name, const std::string& content,
                 bool syncFolder = false) {
    UniqueFd fd(
        ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.IsOpen()) {
        return errno;
    }
    if (::fchmod(fd.Get(), 0600) != 0 || !WriteAll(fd.Get(), content.data(), content.size()) ||
        ::fsync(fd.Get()) != 0 || ::close(fd.Release()) != 0 || (syncFolder && ::fsync(dir))) {
        const int error = errno;
        ::unlinkat(dir, name.c_str(), 0);
        return error;
    }
    return 0;
}

// Copies the bytes of a file that does not parse beside it, under the first
// free registry.reg.bad name, and returns that name. The file itself stays
// until its replacement is in place.
std::string KeepCopy(int dir, const std::string& folder, const std::string& path,
                     const std::string& content) {
    const std::string name = FreeBadName(dir);
    const int error = name.empty() ? 0 : WriteNewFile(dir, name, content, true);
    if (name.empty() || error != 0) {
        throw RegistryError("Cannot keep the settings file " + path +
                            ", which does not parse, beside in " + folder + ": " +
                            (name.empty() ? "too many earlier copies" : std::strerror(error)));
    }
    return name;
}

// Replaces `name` in `dir` by a file holding `content`: a temporary file
// beside it, fsync, rename, fsync of the folder. In the settings folder,
// where only the holder of the lock writes, the temporary name is fixed and
// a file left by a writer that was killed can go; in another folder (the
// target of a link) the name is this process's own. Returns 0 or the errno
// of the step that failed; the old file then stays.
int ReplaceAtomically(int dir, bool ownFolder, const std::string& name,
                      const std::string& content) {
    const std::string temp =
        ownFolder ? std::string(kTempName) : "." + name + ".twinvane-" + std::to_string(::getpid());
    ::unlinkat(dir, temp.c_str(), 0);
    if (const int error = WriteNewFile(dir, temp, content)) {
        return error;
    }
    if (::renameat(dir, temp.c_str(), dir, name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(dir, temp.c_str(), 0);
        return error;
    }
    // The rename itself is only durable once the folder is.
    return ::fsync(dir) == 0 ? 0 : errno;
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
    UniqueFd lock(::openat(
        dir, kLockName, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600));
    struct stat st {};
    if (!lock.IsOpen() || ::fstat(lock.Get(), &st) != 0) {
        Fail("Cannot lock the settings with " + path);
    }
    if (!S_ISREG(st.st_mode)) {
        throw RegistryError("Cannot lock the settings with " + path + ": it is not a regular file");
    }
    auto seen = VersionOf(dir);
    auto deadline = std::chrono::steady_clock::now() + wait;
    struct flock request {};
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
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
    const UniqueFd dir = OpenFolder(folder_);
    if (!dir.IsOpen() && errno != ENOENT) {
        Fail("Cannot read the settings file " + path_);
    }
    const auto content = dir.IsOpen() ? ReadContent(dir.Get(), kFileName, path_) : std::nullopt;
    try {
        return content ? ParseRegedit(*content) : RegistryDocument();
    } catch (const RegeditParseError& error) {
        const std::string bad = FreeBadName(dir.Get());
        throw RegistryError("The settings file " + path_ + " does not parse (" + error.Message() +
                            ")" +
                            (bad.empty() ? ""
                                         : ". It will be kept as " + folder_ + "/" + bad +
                                               " when the settings are next saved"));
    }
}

void RegistryFile::Update(const std::function<bool(RegistryDocument&)>& change) const {
    const UniqueFd dir = CreateFolder(folder_);
    const UniqueFd lock = LockFolder(dir.Get(), folder_, lockWait_);
    const SavePlace place = FollowLinks(folder_, path_);
    const bool ownFolder = place.folder == folder_;
    const UniqueFd otherDir = ownFolder ? UniqueFd() : OpenFolder(place.folder);
    if (!ownFolder && !otherDir.IsOpen()) {
        Fail("Cannot save the settings file " + path_ + " in " + place.folder);
    }
    const int saveDir = ownFolder ? dir.Get() : otherDir.Get();

    RegistryDocument document;
    std::optional<std::string> unparsable = ReadContent(saveDir, place.name, path_);
    try {
        document = unparsable ? ParseRegedit(*unparsable) : RegistryDocument();
        unparsable.reset();
    } catch (const RegeditParseError&) {
        // Counts as empty; kept below once the change is known.
    }
    if (!change(document)) {
        return;
    }
    const std::string kept =
        unparsable ? KeepCopy(dir.Get(), folder_, path_, *unparsable) : std::string();
    if (const int error =
            ReplaceAtomically(saveDir, ownFolder, place.name, WriteRegedit(document))) {
        // The file that does not parse is still there; one copy of it is enough.
        if (!kept.empty()) {
            ::unlinkat(dir.Get(), kept.c_str(), 0);
        }
        Fail("Cannot save the settings file " + path_, error);
    }
}

} // namespace twinvane::platform::posix
