// SPDX-License-Identifier: MIT
#include "ElfBounds.h"

#include <elf.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace twinvane::platform::posix {
namespace {

// Where the fields that matter lie in the headers of one ELF class.
struct ClassLayout {
    std::size_t headerSize;
    std::size_t tableOffset; // e_shoff, a word
    std::size_t entrySizeField;
    std::size_t countField;
    std::size_t namesIndexField;
    std::size_t entrySize;
    std::size_t sectionOffset; // sh_offset, a word
    std::size_t sectionSize;   // sh_size, a word
    std::size_t sectionLink;
    std::size_t wordSize;
};

template <class Ehdr, class Shdr> constexpr ClassLayout LayoutOf() {
    return {.headerSize = sizeof(Ehdr),
            .tableOffset = offsetof(Ehdr, e_shoff),
            .entrySizeField = offsetof(Ehdr, e_shentsize),
            .countField = offsetof(Ehdr, e_shnum),
            .namesIndexField = offsetof(Ehdr, e_shstrndx),
            .entrySize = sizeof(Shdr),
            .sectionOffset = offsetof(Shdr, sh_offset),
            .sectionSize = offsetof(Shdr, sh_size),
            .sectionLink = offsetof(Shdr, sh_link),
            .wordSize = sizeof(Ehdr::e_shoff)};
}
constexpr ClassLayout kElf32 = LayoutOf<Elf32_Ehdr, Elf32_Shdr>();
constexpr ClassLayout kElf64 = LayoutOf<Elf64_Ehdr, Elf64_Shdr>();

constexpr std::size_t kLargestHeader = std::max(sizeof(Elf64_Ehdr), sizeof(Elf64_Shdr));

// One header read from the file, its fields in the file's byte order.
class Header {
public:
    Header(const ByteSource& file, std::uint64_t offset, std::size_t size, bool bigEndian)
        : size_(size), bigEndian_(bigEndian), read_(file.ReadAt(offset, Bytes())) {}

    bool IsRead() const noexcept { return read_; }

    std::uint64_t Load(std::size_t at, std::size_t width) const noexcept {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t from = bigEndian_ ? at + i : at + width - 1 - i;
            value = value << 8 | std::to_integer<std::uint64_t>(bytes_[from]);
        }
        return value;
    }

private:
    std::span<std::byte> Bytes() noexcept { return std::span(bytes_).first(size_); }

    std::array<std::byte, kLargestHeader> bytes_{};
    std::size_t size_;
    bool bigEndian_;
    bool read_;
};

bool Inside(std::uint64_t fileSize, std::uint64_t offset, std::uint64_t size) noexcept {
    return offset <= fileSize && size <= fileSize - offset;
}

} // namespace

bool ElfTablesWithinBounds(const ByteSource& file) {
    std::array<std::byte, EI_NIDENT> ident{};
    if (!file.ReadAt(0, ident) || std::memcmp(ident.data(), ELFMAG, SELFMAG) != 0) {
        return false;
    }
    const auto elfClass = std::to_integer<int>(ident[EI_CLASS]);
    const auto byteOrder = std::to_integer<int>(ident[EI_DATA]);
    if ((elfClass != ELFCLASS32 && elfClass != ELFCLASS64) ||
        (byteOrder != ELFDATA2LSB && byteOrder != ELFDATA2MSB)) {
        return false;
    }
    const ClassLayout& layout = elfClass == ELFCLASS64 ? kElf64 : kElf32;
    const bool bigEndian = byteOrder == ELFDATA2MSB;

    const Header header(file, 0, layout.headerSize, bigEndian);
    if (!header.IsRead()) {
        return false;
    }
    const std::uint64_t table = header.Load(layout.tableOffset, layout.wordSize);
    std::uint64_t count = header.Load(layout.countField, 2);
    std::uint64_t names = header.Load(layout.namesIndexField, 2);
    if (table == 0) {
        return count == 0;
    }
    if (header.Load(layout.entrySizeField, 2) != layout.entrySize) {
        return false;
    }
    const auto section = [&](std::uint64_t index) {
        return Header(file, table + index * layout.entrySize, layout.entrySize, bigEndian);
    };

    // Counts too large for the header are kept in the first section header.
    if (count == 0 || names == SHN_XINDEX) {
        const Header first = section(0);
        if (!first.IsRead()) {
            return false;
        }
        if (count == 0) {
            count = first.Load(layout.sectionSize, layout.wordSize);
        }
        if (names == SHN_XINDEX) {
            names = first.Load(layout.sectionLink, 4);
        }
    }
    if (count > kMostElfSections || !Inside(file.Size(), table, count * layout.entrySize)) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    if (names >= count) {
        return false;
    }
    const Header nameTable = section(names);
    if (!nameTable.IsRead()) {
        return false;
    }
    const std::uint64_t offset = nameTable.Load(layout.sectionOffset, layout.wordSize);
    const std::uint64_t size = nameTable.Load(layout.sectionSize, layout.wordSize);
    if (size > kLargestElfNameTable || !Inside(file.Size(), offset, size)) {
        return false;
    }
    std::array<std::byte, 1> last{};
    return size == 0 || (file.ReadAt(offset + size - 1, last) && last[0] == std::byte{0});
}

} // namespace twinvane::platform::posix
