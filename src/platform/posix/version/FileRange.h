// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace twinvane::platform::posix {

// Where a run of bytes lies in a file.
struct FileRange {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

} // namespace twinvane::platform::posix
