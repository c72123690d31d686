// SPDX-License-Identifier: MIT
#include "ElfVersionSection.h"

#include "ByteSource.h"
#include "ElfBounds.h"

#include <gelf.h>
#include <libelf.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

namespace twinvane::platform::posix {
namespace {

struct ElfEnd {
    void operator()(Elf* elf) const noexcept { ::elf_end(elf); }
};

} // namespace

std::optional<FileRange> FindElfVersionSection(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !ElfTablesWithinBounds(FileByteSource(fd, static_cast<std::uint64_t>(st.st_size)))) {
        return std::nullopt;
    }
    if (::elf_version(EV_CURRENT) == EV_NONE) {
        return std::nullopt;
    }
    // ELF_C_READ reads what it needs instead of mapping the file, so a file
    // that shrinks meanwhile gives an error rather than a SIGBUS.
    const std::unique_ptr<Elf, ElfEnd> elf(::elf_begin(fd, ELF_C_READ, nullptr));
    if (!elf || ::elf_kind(elf.get()) != ELF_K_ELF) {
        return std::nullopt;
    }
    std::size_t names = 0;
    if (::elf_getshdrstrndx(elf.get(), &names) != 0) {
        return std::nullopt;
    }
    for (Elf_Scn* section = ::elf_nextscn(elf.get(), nullptr); section != nullptr;
         section = ::elf_nextscn(elf.get(), section)) {
        GElf_Shdr header{};
        if (::gelf_getshdr(section, &header) == nullptr) {
            continue;
        }
        const char* name = ::elf_strptr(elf.get(), names, header.sh_name);
        if (name != nullptr && std::strcmp(name, kVersionSectionName) == 0) {
            if (header.sh_type == SHT_NOBITS) {
                return std::nullopt;
            }
            return FileRange{header.sh_offset, header.sh_size};
        }
    }
    return std::nullopt;
}

} // namespace twinvane::platform::posix
