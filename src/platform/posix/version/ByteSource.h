// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace twinvane::platform::posix {

// Bytes read by position: a file, or a buffer in memory for tests and fuzzing.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t Size() const noexcept = 0;

    // Fills `out` with the bytes from `offset` on; false, with `out` left
    // undefined, unless all of them are there.
    virtual bool ReadAt(std::uint64_t offset, std::span<std::byte> out) const noexcept = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::byte> bytes) noexcept : bytes_(bytes) {}

    std::uint64_t Size() const noexcept override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::byte> out) const noexcept override;

private:
    std::span<const std::byte> bytes_;
};

// Reads an open regular file with pread; the descriptor stays the caller's.
class FileByteSource final : public ByteSource {
public:
    FileByteSource(int fd, std::uint64_t size) noexcept : fd_(fd), size_(size) {}

    std::uint64_t Size() const noexcept override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::byte> out) const noexcept override;

private:
    int fd_;
    std::uint64_t size_;
};

} // namespace twinvane::platform::posix
