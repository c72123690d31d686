// SPDX-License-Identifier: MIT
#include "platform/posix/version/ElfVersionSection.h"
#include "about/ProgramInfo.h"
#include "platform/AppPaths.h"
#include "platform/posix/os/UniqueFd.h"
#include "platform/posix/version/ElfBounds.h"
#include "platform/posix/version/VersionBlockQuery.h"
#include "support/TempFolder.h"

#include <elf.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace twinvane::platform::posix {
namespace {

UniqueFd Open(const std::string& path) {
    return UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
}

TEST(FindElfVersionSectionTest, FindsTheBlockEmbeddedInThisProgram) {
    const UniqueFd self = Open(RunningExecutablePath());
    ASSERT_TRUE(self.IsOpen());
    const auto found = FindElfVersionSection(self.Get());
    ASSERT_TRUE(found);
    std::vector<std::byte> block(found->size);
    ASSERT_EQ(::pread(self.Get(), block.data(), block.size(), static_cast<off_t>(found->offset)),
              static_cast<ssize_t>(block.size()));
    EXPECT_EQ(QueryVersionBlock(block, "\\StringFileInfo\\080904E4\\FileVersion"),
              std::string(kProgramVersion) + '\0');
}

TEST(FindElfVersionSectionTest, OtherFilesHaveNone) {
    testing::TempFolder temp;
    testing::WriteFile(temp / "text", "\177ELF but nothing more");
    for (const std::string& path : {std::string(TWINVANE_RECORDER_PATH), temp / "text"}) {
        const UniqueFd file = Open(path);
        ASSERT_TRUE(file.IsOpen()) << path;
        EXPECT_FALSE(FindElfVersionSection(file.Get())) << path;
    }
}

// A small ELF file, bent in one way: a name table at 64, the version
// section's five bytes at 128 and three section headers at 256. The file is
// extended, sparsely, to hold whatever its tables claim.
struct ElfShape {
    const char* name;
    bool found;
    std::uint64_t claimedSections = 0; // in the first header, with e_shnum 0
    std::uint64_t claimedNameTable = 0;
    bool nameTableEndsInZero = true;
};

constexpr std::uint64_t kNamesAt = 64;
constexpr std::uint64_t kBlockAt = 128;
constexpr std::uint64_t kTableAt = 256;

void WriteElf(const std::string& path, const ElfShape& shape) {
    static_assert(std::endian::native == std::endian::little);
    std::string names("\0.shstrtab\0.twinvane.version", sizeof("\0.shstrtab\0.twinvane.version"));
    if (!shape.nameTableEndsInZero) {
        names += 'x';
    }
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_EXEC;
    header.e_version = EV_CURRENT;
    header.e_ehsize = sizeof header;
    header.e_shoff = kTableAt;
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = shape.claimedSections == 0 ? 3 : 0;
    header.e_shstrndx = 1;
    const std::uint64_t nameTable =
        shape.claimedNameTable != 0 ? shape.claimedNameTable : names.size();
    std::array<Elf64_Shdr, 3> sections{};
    sections[0].sh_size = shape.claimedSections;
    sections[1].sh_name = 1;
    sections[1].sh_type = SHT_STRTAB;
    sections[1].sh_offset = kNamesAt;
    sections[1].sh_size = nameTable;
    sections[2].sh_name = 11;
    sections[2].sh_type = SHT_PROGBITS;
    sections[2].sh_offset = kBlockAt;
    sections[2].sh_size = 5;

    std::string bytes(kTableAt, '\0');
    std::memcpy(bytes.data(), &header, sizeof header);
    names.copy(bytes.data() + kNamesAt, names.size());
    std::memcpy(bytes.data() + kBlockAt, "block", 5);
    bytes.append(reinterpret_cast<const char*>(sections.data()), sizeof sections);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    std::filesystem::resize_file(path,
                                 std::max({std::uint64_t{bytes.size()}, kNamesAt + nameTable,
                                           kTableAt + shape.claimedSections * sizeof(Elf64_Shdr)}));
}

TEST(FindElfVersionSectionTest, TablesBeyondTheBoundsAreRefusedBeforeLibelfReadsThem) {
    const ElfShape shapes[] = {
        {"an ordinary file", true},
        {"as many sections as allowed", true, kMostElfSections},
        {"one section more", false, kMostElfSections + 1},
        {"twenty million sections", false, 20'000'000},
        {"a name table filling a sparse file of 2 GB", false, 0,
         (std::uint64_t{2} << 30) - kNamesAt},
        {"a name table without its final zero", false, 0, 0, false},
    };
    testing::TempFolder temp;
    for (const ElfShape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const std::string path = temp / "shape.elf";
        std::filesystem::remove(path);
        WriteElf(path, shape);
        const UniqueFd file = Open(path);
        const auto found = FindElfVersionSection(file.Get());
        EXPECT_EQ(found.has_value(), shape.found);
        if (found) {
            EXPECT_EQ(found->offset, kBlockAt);
            EXPECT_EQ(found->size, 5u);
        }
    }
}

} // namespace
} // namespace twinvane::platform::posix
