// SPDX-License-Identifier: MIT
#include "platform/DesktopPlaces.h"

#include "platform/Exception.h"

#include <cerrno>
#include <cstdlib>
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

} // namespace

DiffProgramDialogDefaults DiffProgramDialog() {
    // Diff programs on Linux have no ".exe" ending, so every file is shown.
    return {"/usr/bin", "", "", "", ""};
}

std::string DiffProgramWorkingFolder() {
    return "/";
}

std::string TemporaryCopyFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return WithoutTrailingSlash(runtime) + "/twinvane/";
    }
    return "/tmp/twinvane-" + std::to_string(::getuid()) + "/";
}

void PrepareTemporaryCopyFolder() {
    const std::string folder = WithoutTrailingSlash(TemporaryCopyFolder());
    if (::mkdir(folder.c_str(), kPrivateFolder) == 0) {
        // The umask may have taken bits away; the folder must be exactly 0700.
        if (::chmod(folder.c_str(), kPrivateFolder) != 0) {
            throw Exception("Cannot prepare the folder for temporary copies " + folder);
        }
        return;
    }
    if (errno != EEXIST) {
        throw Exception("Cannot create the folder for temporary copies " + folder);
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 07777) != kPrivateFolder) {
        throw Exception("The folder for temporary copies " + folder +
                        " is not a private folder of yours (owned by you, mode 0700); "
                        "Twinvane will not use it");
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
