// SPDX-License-Identifier: MIT
#include "platform/VersionInfo.h"

#include "ByteSource.h"
#include "ElfVersionSection.h"
#include "PeVersionResource.h"
#include "VersionBlockQuery.h"
#include "platform/VersionBlockLength.h"
#include "platform/posix/os/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace twinvane::platform {
namespace {

// A VS_VERSIONINFO block states its length in 16 bits, so no query reaches
// beyond this; a larger resource is cut here instead of filling memory.
constexpr std::uint64_t kLargestBlock = 0x10000;

// The block of one file: where it lies, read from a file kept open.
class VersionFile {
public:
    explicit VersionFile(const std::string& fileName);

    std::optional<posix::FileRange> Block() const { return block_; }
    bool Read(std::span<std::byte> out) const;

private:
    posix::UniqueFd fd_;
    std::uint64_t size_ = 0;
    std::optional<posix::FileRange> block_;
};

VersionFile::VersionFile(const std::string& fileName) {
    // O_NONBLOCK: a FIFO must not hang the open; only regular files are read.
    fd_.Reset(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat st {};
    if (!fd_.IsOpen() || ::fstat(fd_.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return;
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    const posix::FileByteSource file(fd_.Get(), size_);
    std::array<std::byte, 4> magic{};
    if (!file.ReadAt(0, magic)) {
        return;
    }
    if (magic[0] == std::byte{'M'} && magic[1] == std::byte{'Z'}) {
        block_ = posix::FindVersionResource(file);
    } else if (std::memcmp(magic.data(), "\177ELF", magic.size()) == 0) {
        block_ = posix::FindElfVersionSection(fd_.Get());
    }
    if (block_ && (block_->offset > size_ || block_->size > size_ - block_->offset)) {
        block_.reset();
    }
    if (block_) {
        block_->size = std::min(block_->size, kLargestBlock);
    }
}

bool VersionFile::Read(std::span<std::byte> out) const {
    if (!block_) {
        return false;
    }
    const std::size_t count = std::min<std::uint64_t>(out.size(), block_->size);
    if (count < 2 ||
        !posix::FileByteSource(fd_.Get(), size_).ReadAt(block_->offset, out.first(count))) {
        return false;
    }
    return StatedLengthFits(out.first(count));
}

} // namespace

std::uint32_t FileVersionInfoSize(const std::string& fileName) {
    const auto block = VersionFile(fileName).Block();
    return block ? static_cast<std::uint32_t>(block->size) : 0;
}

bool ReadFileVersionInfo(const std::string& fileName, std::span<std::byte> block) {
    return VersionFile(fileName).Read(block);
}

std::optional<std::string> QueryVersionValue(std::span<std::byte> block,
                                             const std::string& subBlock) {
    return posix::QueryVersionBlock(block, subBlock);
}

} // namespace twinvane::platform
