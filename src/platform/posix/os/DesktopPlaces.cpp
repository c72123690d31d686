// SPDX-License-Identifier: MIT
#include "platform/DesktopPlaces.h"

#include "PrivateFolder.h"
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

} // namespace

DiffProgramDialogDefaults DiffProgramDialog() {
    // Diff programs on Linux have no ".exe" ending, so every file is shown.
    return {"/usr/bin", "", "", "", ""};
}

std::string FindProgramOnPath(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) {
        return {};
    }
    // Without PATH, the places the C library's exec functions fall back on.
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
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
    posix::PrivateFolder::Open(WithoutTrailingSlash(TemporaryCopyFolder()), true);
}

void ClearTemporaryName(const std::string& path) {
    const auto slash = path.rfind('/');
    if (const auto folder = posix::PrivateFolder::Open(path.substr(0, slash), false)) {
        folder->Remove(path.substr(slash + 1));
    }
}

std::string TemporaryCopyPlaceDescription() {
    return WithoutTrailingSlash(TemporaryCopyFolder());
}

} // namespace twinvane::platform
