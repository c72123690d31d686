// SPDX-License-Identifier: MIT
// The parts of FileHandle that are the same on every system; opening,
// reading, writing and closing live with each backend.
#include "FileSystem.h"

namespace twinvane::platform {

FileHandle::FileHandle(FileHandle&& other) noexcept : native_(other.native_) {
    other.native_ = kClosed;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        native_ = other.native_;
        other.native_ = kClosed;
    }
    return *this;
}

FileHandle::~FileHandle() {
    Close();
}

bool FileHandle::IsOpen() const noexcept {
    return native_ != kClosed;
}

} // namespace twinvane::platform
