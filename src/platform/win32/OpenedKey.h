// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

namespace twinvane::platform::win32 {

// An existing registry key opened with `access`, closed when it goes; null
// when it is missing or cannot be opened so. Never creates a key.
class OpenedKey {
public:
    OpenedKey(HKEY root, const std::string& path, REGSAM access) {
        if (::RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    HKEY Get() const noexcept { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace twinvane::platform::win32
