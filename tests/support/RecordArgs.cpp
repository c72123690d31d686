// SPDX-License-Identifier: MIT
// Stands in for a started program: writes its working folder and arguments,
// each as <length>:<bytes>, to TWINVANE_RECORD_FILE if set, else to
// record.txt in its working folder. Written to a side file and renamed, so a
// reader never sees half a record. With TWINVANE_RECORD_HOLD set, it then
// stays running until that file exists (a minute at most).
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char* argv[]) {
    const std::string folder = std::filesystem::current_path().string();
    const char* target = std::getenv("TWINVANE_RECORD_FILE");
    const std::string recordPath =
        target != nullptr && *target != '\0' ? target : folder + "/record.txt";
    const std::string partial = recordPath + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << folder.size() << ':' << folder << '\n';
        for (int i = 1; i < argc; ++i) {
            out << std::strlen(argv[i]) << ':' << argv[i] << '\n';
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, recordPath, error);
    if (const char* hold = std::getenv("TWINVANE_RECORD_HOLD"); hold != nullptr && *hold != '\0') {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (!std::filesystem::exists(hold) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return error ? EXIT_FAILURE : EXIT_SUCCESS;
}
