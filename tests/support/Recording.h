// SPDX-License-Identifier: MIT
#pragma once

#include "TempFolder.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace twinvane::testing {

// What the recording program saw: its working folder and its arguments.
struct Recording {
    std::string folder;
    std::vector<std::string> arguments;
};

// Waits up to `timeout` for the recording program to write `path`; the
// program runs detached, so its record arrives some time after the start.
inline std::optional<Recording>
WaitForRecording(const std::string& path, std::chrono::seconds timeout = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!std::filesystem::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string text = ReadFile(path);
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t colon = text.find(':', at);
        const std::size_t length = std::stoul(text.substr(at, colon - at));
        fields.push_back(text.substr(colon + 1, length));
        at = colon + 1 + length + 1;
    }
    if (fields.empty()) {
        return std::nullopt;
    }
    return Recording{fields.front(), {fields.begin() + 1, fields.end()}};
}

} // namespace twinvane::testing
