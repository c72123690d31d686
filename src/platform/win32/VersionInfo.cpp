// SPDX-License-Identifier: MIT
#include "platform/VersionInfo.h"

#include "platform/VersionBlockLength.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace twinvane::platform {

std::uint32_t FileVersionInfoSize(const std::string& fileName) {
    DWORD unused = 0;
    return ::GetFileVersionInfoSizeA(fileName.c_str(), &unused);
}

bool ReadFileVersionInfo(const std::string& fileName, std::span<std::byte> block) {
    if (!::GetFileVersionInfoA(fileName.c_str(), 0, static_cast<DWORD>(block.size()),
                               block.data())) {
        return false;
    }
    return StatedLengthFits(block);
}

std::optional<std::string> QueryVersionValue(std::span<std::byte> block,
                                             const std::string& subBlock) {
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), subBlock.c_str(), &value, &length)) {
        return std::nullopt;
    }
    // The API takes the lengths stored in the block on trust; a value that
    // claims to run past the buffer is cut where the buffer ends.
    const auto first = reinterpret_cast<std::uintptr_t>(block.data());
    const auto last = first + block.size();
    const auto at = reinterpret_cast<std::uintptr_t>(value);
    if (value == nullptr || at < first || at > last) {
        return std::string();
    }
    const std::size_t available = last - at;
    return std::string(static_cast<const char*>(value), std::min<std::size_t>(length, available));
}

} // namespace twinvane::platform
