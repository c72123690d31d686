// SPDX-License-Identifier: MIT
#include "platform/AppPaths.h"

#include "platform/Exception.h"

#include <windows.h>

#include <vector>

namespace twinvane::platform {

std::string RunningExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) {
            throw Exception("Cannot find the path of the running program");
        }
        // A path that filled the buffer may have been cut short.
        if (length < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace twinvane::platform
