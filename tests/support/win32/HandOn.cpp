// SPDX-License-Identifier: MIT
// Stands in for a launcher: hand_on ID-FILE PROGRAM starts PROGRAM as a
// process of its own, writes its own process id to ID-FILE (to a side file,
// then renamed, so a reader never sees half of it) and ends at once.
#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        return 2;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(argv[2], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return EXIT_FAILURE;
    }
    const twinvane::platform::win32::UniqueHandle process(started.hProcess);
    const twinvane::platform::win32::UniqueHandle thread(started.hThread);
    const std::string partial = std::string(argv[1]) + ".partial";
    std::ofstream(partial, std::ios::binary) << ::GetCurrentProcessId();
    std::error_code error;
    std::filesystem::rename(partial, argv[1], error);
    return error ? EXIT_FAILURE : EXIT_SUCCESS;
}
