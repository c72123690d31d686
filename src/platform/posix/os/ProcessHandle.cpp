// SPDX-License-Identifier: MIT
#include "platform/ProcessHandle.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace twinvane::platform {

std::optional<ProcessToken> RunningProcess(std::uint64_t id) {
    std::ifstream stat("/proc/" + std::to_string(id) + "/stat");
    const std::string line{std::istreambuf_iterator<char>(stat), {}};
    // The name in parentheses may hold anything; the fields after the last
    // ")" are numbers, the start time the twentieth of them.
    const auto nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(line.substr(nameEnd + 1));
    std::string field;
    for (int i = 0; i < 20 && fields >> field; ++i) {
        if (i == 0 && field == "Z") {
            return std::nullopt; // ended, not yet reaped
        }
    }
    if (!fields) {
        return ProcessToken{id, 0};
    }
    return ProcessToken{id, std::stoull(field)};
}

ProcessToken CurrentProcess() {
    const auto id = static_cast<std::uint64_t>(::getpid());
    return RunningProcess(id).value_or(ProcessToken{id, 0});
}

} // namespace twinvane::platform
