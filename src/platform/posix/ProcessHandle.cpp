// SPDX-License-Identifier: MIT
#include "platform/ProcessHandle.h"

#include <poll.h>
#include <unistd.h>

namespace twinvane::platform {

ProcessHandle::~ProcessHandle() {
    ::close(static_cast<int>(native_));
}

bool ProcessHandle::HasEnded() noexcept {
    // A pidfd turns readable when its process has ended, reaped or not.
    pollfd watch{static_cast<int>(native_), POLLIN, 0};
    return ::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

} // namespace twinvane::platform
