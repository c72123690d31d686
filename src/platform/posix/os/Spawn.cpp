// SPDX-License-Identifier: MIT
#include "Spawn.h"

#include "platform/Shell.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <thread>

namespace twinvane::platform::posix {
namespace {

int ResultFor(int error, const std::optional<std::string>& folder) {
    switch (error) {
    case EACCES:
    case EPERM:
    case ETXTBSY:
        return kShellAccessDenied;
    case ENOEXEC:
        return kShellBadFormat;
    case E2BIG:
    case ENOMEM:
    case EAGAIN:
        return kShellOutOfMemory;
    case ENOENT:
    case ENOTDIR: {
        // The start reports one error for the folder and the program alike.
        struct stat st {};
        const bool folderThere = !folder || folder->empty() ||
                                 (::stat(folder->c_str(), &st) == 0 && S_ISDIR(st.st_mode));
        return folderThere ? kShellFileNotFound : kShellPathNotFound;
    }
    default:
        return kShellAccessDenied;
    }
}

struct SpawnAttributes {
    SpawnAttributes() { ::posix_spawnattr_init(&value); }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&value); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    posix_spawnattr_t value{};
};

struct SpawnActions {
    SpawnActions() { ::posix_spawn_file_actions_init(&value); }
    ~SpawnActions() { ::posix_spawn_file_actions_destroy(&value); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t value{};
};

} // namespace

int SpawnInSession(const std::string& program, const std::vector<std::string>& arguments,
                   const std::optional<std::string>& folder, pid_t& started) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    SpawnAttributes attributes;
    // The program gets the signals' default actions and an empty mask, not
    // what Twinvane set up for itself.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attributes.value, &none);
    ::posix_spawnattr_setsigdefault(&attributes.value, &all);
    ::posix_spawnattr_setflags(&attributes.value,
                               POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    SpawnActions actions;
    // Nothing of Twinvane's open files may leak into the started program.
    ::posix_spawn_file_actions_addclosefrom_np(&actions.value, 3);
    if (folder && !folder->empty()) {
        ::posix_spawn_file_actions_addchdir_np(&actions.value, folder->c_str());
    }
    // The C library reports a failed exec here, with the exec's own error.
    const int error = ::posix_spawn(&started, program.c_str(), &actions.value, &attributes.value,
                                    argv.data(), environ);
    return error == 0 ? kShellSuccess : ResultFor(error, folder);
}

void ReapWhenEnded(pid_t pid) {
    std::thread([pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace twinvane::platform::posix
