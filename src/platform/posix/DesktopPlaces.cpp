// SPDX-License-Identifier: MIT
#include "platform/DesktopPlaces.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace twinvane::platform {
namespace {

constexpr mode_t kPrivateFolder = 0700;

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// Creates `folder` with mode 0700, whatever the umask. True when it was
// made or something already stands there (checked when the copies are made).
bool MakePrivateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), kPrivateFolder) == 0) {
        return ::chmod(folder.c_str(), kPrivateFolder) == 0;
    }
    return errno == EEXIST;
}

std::string Reason() {
    return std::strerror(errno);
}

// Why `st`, found at the folder of the copies, must not hold them; empty
// when it may.
std::string Unsafe(const struct stat& st) {
    if (S_ISLNK(st.st_mode)) {
        return "it is a symbolic link";
    }
    if (!S_ISDIR(st.st_mode)) {
        return "it is not a folder";
    }
    if (st.st_uid != ::geteuid()) {
        return "it belongs to another user";
    }
    if ((st.st_mode & 07777) != kPrivateFolder) {
        return "others may use it (its mode is not 0700)";
    }
    return {};
}

} // namespace

DiffProgramDialogDefaults DiffProgramDialog() {
    // Diff programs on Linux have no ".exe" ending, so every file is shown.
    return {"/usr/bin", "", "", "", ""};
}

std::string FindProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty() || name.find('/') != std::string::npos) {
        return {};
    }
    const std::string folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        start = end + 1;
        // An empty or relative entry means the current folder, which is no
        // place to propose a program from.
        if (folder.empty() || folder.front() != '/') {
            continue;
        }
        const std::string candidate = WithoutTrailingSlash(folder) + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

std::string DiffProgramWorkingFolder() {
    return "/";
}

std::string TemporaryCopyFolder() {
    // A runtime folder that is missing, relative or not writable would make
    // every Compare fail; the folder in /tmp serves instead.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        const std::string folder = WithoutTrailingSlash(FullPathName(runtime)) + "/twinvane";
        if (MakePrivateFolder(folder)) {
            return folder + "/";
        }
    }
    return "/tmp/twinvane-" + std::to_string(::getuid()) + "/";
}

void PrepareTemporaryCopyFolder() {
    const std::string folder = WithoutTrailingSlash(TemporaryCopyFolder());
    if (::mkdir(folder.c_str(), kPrivateFolder) == 0) {
        // The umask may have taken bits away; the folder must be exactly 0700.
        if (::chmod(folder.c_str(), kPrivateFolder) != 0) {
            throw Exception("Cannot prepare the folder for temporary copies " + folder + ": " +
                            Reason());
        }
        return;
    }
    if (errno != EEXIST) {
        throw Exception("Cannot create the folder for temporary copies " + folder + ": " +
                        Reason());
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        throw Exception("Cannot examine the folder for temporary copies " + folder + ": " +
                        Reason());
    }
    if (const std::string why = Unsafe(st); !why.empty()) {
        throw Exception("The folder for temporary copies " + folder +
                        " is not a private folder of yours (owned by you, mode 0700): " + why +
                        "; Twinvane will not use it");
    }
}

void ClearTemporaryName(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        ::unlink(path.c_str());
    }
}

std::string TemporaryCopyPlaceDescription() {
    return WithoutTrailingSlash(TemporaryCopyFolder());
}

} // namespace twinvane::platform
