// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace twinvane::platform::posix {

// Writes all `count` bytes to `fd`, going on after a short write or a signal.
// False when a write fails; errno then tells why.
inline bool WriteAll(int fd, const void* buffer, std::size_t count) noexcept {
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace twinvane::platform::posix
