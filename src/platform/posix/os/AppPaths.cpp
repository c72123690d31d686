// SPDX-License-Identifier: MIT
#include "platform/AppPaths.h"

#include "platform/Exception.h"

#include <unistd.h>

#include <vector>

namespace twinvane::platform {

std::string RunningExecutablePath() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            throw Exception("Cannot find the path of the running program");
        }
        // readlink does not say whether it cut the path short: only a
        // buffer with room to spare proves that the path is whole.
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace twinvane::platform
