// SPDX-License-Identifier: MIT
#include "PeVersionResource.h"

#include "platform/LittleEndian.h"

#include <array>
#include <vector>

namespace twinvane::platform::posix {
namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;    // "MZ"
constexpr std::uint32_t kPeSignature = 0x4550; // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;    // index in the data directories
constexpr std::uint16_t kResourceTypeVersion = 16; // RT_VERSION
constexpr std::uint16_t kVersionResourceName = 1;  // VS_VERSION_INFO
constexpr std::uint32_t kHighBit = 0x80000000;

// Offsets inside the headers.
constexpr std::size_t kDosNewHeader = 0x3C;
constexpr std::size_t kFileHeader = 4;
constexpr std::size_t kOptionalHeader = kFileHeader + 20;
constexpr std::size_t kNtHeadersRead = kOptionalHeader + 136; // through PE32+ directory 2
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

struct DirectoryEntry {
    std::uint32_t name;
    std::uint32_t target;
};

// A resource directory: its named entries, then its numbered ones.
struct Directory {
    std::size_t namedCount = 0;
    std::vector<DirectoryEntry> entries;
};

template <std::size_t N>
std::optional<std::array<std::byte, N>> ReadArray(const ByteSource& file, std::uint64_t offset) {
    std::array<std::byte, N> bytes{};
    if (!file.ReadAt(offset, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

// Windows searches the numbered entries by bisection, so a directory that is
// not in order hides entries from it; this search hides the same ones. Found
// with the wrong kind (a directory where data was wanted, or the other way
// round) counts as not found.
std::optional<std::uint32_t> FindById(const Directory& directory, std::uint16_t id,
                                      bool wantDirectory) {
    int low = static_cast<int>(directory.namedCount);
    int high = static_cast<int>(directory.entries.size()) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const DirectoryEntry& entry = directory.entries[static_cast<std::size_t>(middle)];
        const auto entryId = static_cast<std::uint16_t>(entry.name & 0xFFFF);
        if (entryId == id) {
            if (((entry.target & kHighBit) != 0) != wantDirectory) {
                return std::nullopt;
            }
            return entry.target & ~kHighBit;
        }
        if (entryId > id) {
            high = middle - 1;
        } else {
            low = middle + 1;
        }
    }
    return std::nullopt;
}

// The language an English Windows picks when no particular one is asked for.
std::optional<std::uint32_t> FindLanguage(const Directory& directory) {
    for (const std::uint16_t language : {0x0409, 0x0009, 0x0000}) {
        if (const auto found = FindById(directory, language, false)) {
            return found;
        }
    }
    for (const DirectoryEntry& entry : directory.entries) {
        if ((entry.target & kHighBit) == 0) {
            return entry.target;
        }
    }
    return std::nullopt;
}

class PeImage {
public:
    explicit PeImage(const ByteSource& file) : file_(file) {}

    std::optional<FileRange> FindVersionResource();

private:
    bool ReadHeaders();
    std::optional<std::uint64_t> MapThroughSections(std::uint32_t rva) const;
    std::optional<Directory> ReadDirectory(std::uint32_t offset) const;
    std::optional<Directory> ReadSubdirectory(const std::optional<Directory>& parent,
                                              std::uint16_t id) const;
    std::optional<FileRange> FindInResources() const;

    const ByteSource& file_;
    std::uint32_t headersSize_ = 0;
    std::uint32_t resourceRva_ = 0;
    std::uint64_t resourceBase_ = 0;
    std::vector<Section> sections_;
};

bool PeImage::ReadHeaders() {
    const auto dos = ReadArray<64>(file_, 0);
    if (!dos || LoadU16(*dos, 0) != kDosMagic) {
        return false;
    }
    const std::uint64_t ntOffset = LoadU32(*dos, kDosNewHeader);
    const auto nt = ReadArray<kNtHeadersRead>(file_, ntOffset);
    if (!nt || LoadU32(*nt, 0) != kPeSignature) {
        return false;
    }
    const std::uint16_t sectionCount = LoadU16(*nt, kFileHeader + 2);
    const std::uint16_t optionalSize = LoadU16(*nt, kFileHeader + 16);
    std::size_t directoryCount = 0;
    std::size_t directories = 0;
    switch (LoadU16(*nt, kOptionalHeader)) {
    case kPe32Magic:
        directoryCount = kOptionalHeader + 92;
        directories = kOptionalHeader + 96;
        break;
    case kPe32PlusMagic:
        directoryCount = kOptionalHeader + 108;
        directories = kOptionalHeader + 112;
        break;
    default:
        return false;
    }
    if (LoadU32(*nt, directoryCount) <= kResourceDirectory) {
        return false;
    }
    headersSize_ = LoadU32(*nt, kOptionalHeader + 60);
    resourceRva_ = LoadU32(*nt, directories + 8 * kResourceDirectory);
    if (resourceRva_ == 0) {
        return false;
    }

    std::vector<std::byte> table(std::size_t{sectionCount} * kSectionHeaderSize);
    if (!file_.ReadAt(ntOffset + kOptionalHeader + optionalSize, table)) {
        return false;
    }
    sections_.reserve(sectionCount);
    for (std::size_t at = 0; at < table.size(); at += kSectionHeaderSize) {
        sections_.push_back(
            {LoadU32(table, at + 12), LoadU32(table, at + 16), LoadU32(table, at + 20)});
    }
    return true;
}

// The file offset of an address, by the first section whose raw data covers
// it, as Windows maps addresses in a file opened as data.
std::optional<std::uint64_t> PeImage::MapThroughSections(std::uint32_t rva) const {
    for (const Section& section : sections_) {
        if (section.virtualAddress <= rva && rva - section.virtualAddress < section.rawSize) {
            return std::uint64_t{section.rawOffset} + (rva - section.virtualAddress);
        }
    }
    return std::nullopt;
}

std::optional<Directory> PeImage::ReadDirectory(std::uint32_t offset) const {
    const std::uint64_t at = resourceBase_ + offset;
    const auto header = ReadArray<kDirectoryHeaderSize>(file_, at);
    if (!header) {
        return std::nullopt;
    }
    Directory directory;
    directory.namedCount = LoadU16(*header, 12);
    const std::size_t count = directory.namedCount + LoadU16(*header, 14);
    std::vector<std::byte> raw(count * kDirectoryEntrySize);
    if (!file_.ReadAt(at + kDirectoryHeaderSize, raw)) {
        return std::nullopt;
    }
    directory.entries.reserve(count);
    for (std::size_t i = 0; i < raw.size(); i += kDirectoryEntrySize) {
        directory.entries.push_back({LoadU32(raw, i), LoadU32(raw, i + 4)});
    }
    return directory;
}

std::optional<Directory> PeImage::ReadSubdirectory(const std::optional<Directory>& parent,
                                                   std::uint16_t id) const {
    const auto offset = parent ? FindById(*parent, id, true) : std::nullopt;
    return offset ? ReadDirectory(*offset) : std::nullopt;
}

std::optional<FileRange> PeImage::FindVersionResource() {
    if (!ReadHeaders()) {
        return std::nullopt;
    }
    // Windows takes an address inside the headers as an offset into the
    // file, and finds every other address through the section table; where
    // the first way leads nowhere, it reads the file again the second way.
    std::vector<std::uint64_t> bases;
    if (resourceRva_ < headersSize_) {
        bases.push_back(resourceRva_);
    }
    if (const auto base = MapThroughSections(resourceRva_)) {
        bases.push_back(*base);
    }
    for (const std::uint64_t base : bases) {
        resourceBase_ = base;
        if (const auto found = FindInResources()) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<FileRange> PeImage::FindInResources() const {
    const auto names = ReadSubdirectory(ReadDirectory(0), kResourceTypeVersion);
    const auto languages = ReadSubdirectory(names, kVersionResourceName);
    const auto data = languages ? FindLanguage(*languages) : std::nullopt;
    if (!data) {
        return std::nullopt;
    }
    const auto entry = ReadArray<kDataEntrySize>(file_, resourceBase_ + *data);
    if (!entry) {
        return std::nullopt;
    }
    const auto offset = MapThroughSections(LoadU32(*entry, 0));
    const std::uint32_t size = LoadU32(*entry, 4);
    if (!offset || *offset > file_.Size() || size > file_.Size() - *offset) {
        return std::nullopt;
    }
    return FileRange{*offset, size};
}

} // namespace

std::optional<FileRange> FindVersionResource(const ByteSource& file) {
    return PeImage(file).FindVersionResource();
}

} // namespace twinvane::platform::posix
