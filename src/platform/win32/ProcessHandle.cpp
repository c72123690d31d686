// SPDX-License-Identifier: MIT
#include "platform/ProcessHandle.h"

#include <windows.h>

namespace twinvane::platform {

std::optional<ProcessToken> RunningProcess(std::uint64_t id) {
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) {
        // Another user's process is there all the same.
        return ::GetLastError() == ERROR_ACCESS_DENIED ? std::optional(ProcessToken{id, 0})
                                                       : std::nullopt;
    }
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool timed = ::GetProcessTimes(process, &created, &exited, &kernel, &user) != 0;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    if (!running) {
        return std::nullopt;
    }
    const auto started =
        timed ? (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime : 0;
    return ProcessToken{id, started};
}

ProcessToken CurrentProcess() {
    const std::uint64_t id = ::GetCurrentProcessId();
    return RunningProcess(id).value_or(ProcessToken{id, 0});
}

} // namespace twinvane::platform
