// SPDX-License-Identifier: MIT
#pragma once

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

namespace twinvane::testing {

// Another user of the machine, standing for an adversary. Made for the tests
// when the tests run as root and it is missing; nothing otherwise, with
// `why` telling the reason, for the test's skip message.
inline std::optional<uid_t> SecondUser(std::string& why) {
    constexpr const char* kName = "twinvane-adversary";
    if (::geteuid() != 0) {
        why = "making files as a second user needs root";
        return std::nullopt;
    }
    if (::getpwnam(kName) == nullptr &&
        std::system("useradd --system --no-create-home --shell /usr/sbin/nologin "
                    "twinvane-adversary >/dev/null 2>&1") != 0) {
        why = "useradd could not make the user twinvane-adversary";
        return std::nullopt;
    }
    const passwd* user = ::getpwnam(kName);
    if (user == nullptr) {
        why = "the user twinvane-adversary cannot be found";
        return std::nullopt;
    }
    return user->pw_uid;
}

// Runs `action` in a child process as the user `uid`; true when it returned
// true there.
inline bool RunAs(uid_t uid, const std::function<bool()>& action) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool done = ::setgid(uid) == 0 && ::setuid(uid) == 0 && action();
        ::_exit(done ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace twinvane::testing
