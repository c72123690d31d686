// SPDX-License-Identifier: MIT
#include "SessionProgram.h"

#include "Spawn.h"

#include <sys/wait.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace twinvane::platform::posix {
namespace {

// The state and session of the process whose /proc folder is `folder`;
// false when it has gone meanwhile.
bool ReadStateAndSession(const std::filesystem::path& folder, char& state, long& session) {
    std::ifstream stat(folder / "stat");
    const std::string line{std::istreambuf_iterator<char>(stat), {}};
    // The name in parentheses may hold anything; after the last ")" come
    // the state, the parent, the process group and the session.
    const auto nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) {
        return false;
    }
    std::istringstream fields(line.substr(nameEnd + 1));
    long parent = 0;
    long group = 0;
    return static_cast<bool>(fields >> state >> parent >> group >> session);
}

} // namespace

bool SessionHasProcesses(pid_t session) {
    std::error_code error;
    std::filesystem::directory_iterator entry("/proc", error);
    if (error) {
        return true;
    }
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.empty() || !std::isdigit(static_cast<unsigned char>(name.front()))) {
            continue;
        }
        char state = 0;
        long member = 0;
        if (ReadStateAndSession(entry->path(), state, member) && member == session &&
            state != 'Z' && state != 'X') {
            return true;
        }
    }
    return false;
}

SessionProgram::SessionProgram(pid_t leader) : leader_(leader) {}

SessionProgram::~SessionProgram() {
    if (!reaped_) {
        ReapWhenEnded(leader_);
    }
}

bool SessionProgram::HasEnded() {
    if (std::chrono::steady_clock::now() - started_ < kSettleTime || SessionHasProcesses(leader_)) {
        return false;
    }
    if (!reaped_) {
        reaped_ = ::waitpid(leader_, nullptr, WNOHANG) != 0;
    }
    return true;
}

} // namespace twinvane::platform::posix
