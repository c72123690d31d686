// SPDX-License-Identifier: MIT
#include "platform/ProcessHandle.h"

#include <windows.h>

namespace twinvane::platform {

ProcessHandle::~ProcessHandle() {
    ::CloseHandle(reinterpret_cast<HANDLE>(native_));
}

bool ProcessHandle::HasEnded() noexcept {
    return ::WaitForSingleObject(reinterpret_cast<HANDLE>(native_), 0) != WAIT_TIMEOUT;
}

} // namespace twinvane::platform
