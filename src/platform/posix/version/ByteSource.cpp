// SPDX-License-Identifier: MIT
#include "ByteSource.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace twinvane::platform::posix {
namespace {

bool Within(std::uint64_t size, std::uint64_t offset, std::size_t count) noexcept {
    return offset <= size && count <= size - offset;
}

} // namespace

bool MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) const noexcept {
    if (!Within(bytes_.size(), offset, out.size())) {
        return false;
    }
    if (!out.empty()) {
        std::memcpy(out.data(), bytes_.data() + offset, out.size());
    }
    return true;
}

bool FileByteSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) const noexcept {
    if (!Within(size_, offset, out.size())) {
        return false;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got =
            ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        // The file may have shrunk since it was measured.
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace twinvane::platform::posix
