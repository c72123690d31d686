// SPDX-License-Identifier: MIT
#include "about/TGetVersionInfoFromFile.h"

#include "platform/FileSystem.h"
#include "platform/LittleEndian.h"
#include "platform/VersionInfo.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace twinvane {
namespace {

constexpr std::array<const char*, 8> kKeys = {
    "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion",
};

// The block buffer is this much larger than the size the system reports.
constexpr std::size_t kBlockSlack = 10;

// "\StringFileInfo\080904E4\FileVersion": four upper-case hexadecimal digits
// for the language and four for the code page.
std::string QueryPath(std::uint16_t language, std::uint16_t codePage, const char* key) {
    std::array<char, 9> digits{};
    std::snprintf(digits.data(), digits.size(), "%04X%04X", static_cast<unsigned>(language),
                  static_cast<unsigned>(codePage));
    return std::string("\\StringFileInfo\\") + digits.data() + "\\" + key;
}

} // namespace

void TGetVersionInfoFromFile::SetfileName(const std::string& name) {
    versionStrings_.Clear();
    versionCategories_.Clear();
    if (!platform::FileExists(name)) {
        fileName_.clear();
        return;
    }
    fileName_ = name;
    ReadVersionInfo();
}

void TGetVersionInfoFromFile::ReadVersionInfo() {
    const std::uint32_t size = platform::FileVersionInfoSize(fileName_);
    if (size == 0) {
        return;
    }
    std::vector<std::byte> buffer(std::size_t{size} + kBlockSlack);
    const std::span<std::byte> block(buffer.data(), size);
    // A block that could not be read is never queried: the lists stay empty.
    if (!platform::ReadFileVersionInfo(fileName_, block)) {
        return;
    }
    if (!platform::QueryVersionValue(block, "\\")) {
        return;
    }
    const auto translation = platform::QueryVersionValue(block, "\\VarFileInfo\\Translation");
    // A table too short for one entry has no first translation to read.
    if (!translation || translation->size() < 4) {
        return;
    }
    const auto entry = std::as_bytes(std::span<const char>(*translation));
    const std::uint16_t language = platform::LoadU16(entry, 0);
    const std::uint16_t codePage = platform::LoadU16(entry, 2);
    for (const char* key : kKeys) {
        auto value = platform::QueryVersionValue(block, QueryPath(language, codePage, key));
        if (!value) {
            return;
        }
        if (value->empty()) {
            continue;
        }
        // A value ends at its first NUL.
        value->resize(std::min(value->size(), value->find('\0')));
        Append(key, std::move(*value));
    }
}

// Both lists grow together, so an error while adding leaves them equal.
void TGetVersionInfoFromFile::Append(const std::string& key, std::string value) {
    versionCategories_.Add(key);
    try {
        versionStrings_.Add(std::move(value));
    } catch (...) {
        versionCategories_.Clear();
        versionStrings_.Clear();
        throw;
    }
}

} // namespace twinvane
