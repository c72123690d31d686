// SPDX-License-Identifier: MIT
// libFuzzer target for the Linux version reader: each input is taken as a PE
// file, whose version resource is then queried as the reader queries it, as
// an ELF file whose tables are weighed before libelf would see them, and as a
// bare VS_VERSIONINFO block. The sanitizers turn any read out of bounds,
// overflow or leak into a finding.
#include "platform/posix/version/ByteSource.h"
#include "platform/posix/version/ElfBounds.h"
#include "platform/posix/version/PeVersionResource.h"
#include "platform/posix/version/VersionBlockQuery.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace {

using twinvane::platform::posix::QueryVersionBlock;

void QueryAsTheReaderDoes(std::span<const std::byte> block) {
    if (!QueryVersionBlock(block, "\\")) {
        return;
    }
    const auto translation = QueryVersionBlock(block, "\\VarFileInfo\\Translation");
    if (!translation || translation->size() < 4) {
        return;
    }
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>((*translation)[i]);
    };
    std::array<char, 9> table{};
    std::snprintf(table.data(), table.size(), "%04X%04X", byte(0) | byte(1) << 8,
                  byte(2) | byte(3) << 8);
    for (const char* key :
         {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
          "OriginalFilename", "ProductName", "ProductVersion"}) {
        const auto value =
            QueryVersionBlock(block, std::string("\\StringFileInfo\\") + table.data() + "\\" + key);
        if (!value) {
            return;
        }
    }
    // Paths of unusual shape take the other ways through the parser.
    QueryVersionBlock(block, "\\\\stringfileinfo\\\\");
    QueryVersionBlock(block, std::string("\\StringFileInfo\\") + table.data() + "\\\xC3\xA9\xFF");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    const twinvane::platform::posix::MemoryByteSource file(bytes);
    if (const auto found = twinvane::platform::posix::FindVersionResource(file)) {
        std::vector<std::byte> block(std::min<std::uint64_t>(found->size, 0x10000));
        if (file.ReadAt(found->offset, block)) {
            QueryAsTheReaderDoes(block);
        }
    }
    twinvane::platform::posix::ElfTablesWithinBounds(file);
    QueryAsTheReaderDoes(bytes);
    return 0;
}
