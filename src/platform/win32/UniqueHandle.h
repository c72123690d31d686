// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <utility>

namespace twinvane::platform::win32 {

// Owns one kernel handle and closes it when it goes. The two ways Windows
// says "no handle", null and INVALID_HANDLE_VALUE, are both held as null.
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(Valid(handle)) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    HANDLE Get() const noexcept { return handle_; }
    bool IsOpen() const noexcept { return handle_ != nullptr; }
    void Reset(HANDLE handle = nullptr) noexcept {
        if (handle_ != nullptr) {
            ::CloseHandle(handle_);
        }
        handle_ = Valid(handle);
    }

private:
    static HANDLE Valid(HANDLE handle) noexcept {
        return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

    HANDLE handle_ = nullptr;
};

} // namespace twinvane::platform::win32
