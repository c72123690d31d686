// SPDX-License-Identifier: MIT
#include "VersionFiles.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <utility>

namespace twinvane::testing {
namespace {

constexpr std::size_t kSectionAlignment = 0x1000;
constexpr std::size_t kFileAlignment = 0x200;

std::size_t AlignUp(std::size_t value, std::size_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

void PutBytes(std::vector<std::byte>& bytes, std::size_t at, const std::vector<std::byte>& data) {
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

// The ".rsrc" section: the three directory levels (type, name, language),
// the data entries, then the data, addressed as if loaded at kPeResourceRva.
std::vector<std::byte> ResourceSection(const std::vector<VersionResource>& resources) {
    std::map<std::uint16_t, std::map<std::uint16_t, const VersionResource*>> byName;
    for (const VersionResource& resource : resources) {
        byName[resource.name][resource.language] = &resource;
    }
    const auto directorySize = [](std::size_t entries) {
        return 16 + 8 * entries;
    };
    std::size_t size = directorySize(1) + directorySize(byName.size());
    std::map<std::uint16_t, std::size_t> languageDirectories;
    for (const auto& [name, languages] : byName) {
        languageDirectories[name] = size;
        size += directorySize(languages.size());
    }
    std::size_t dataEntries = size;
    size += 16 * resources.size();

    std::vector<std::byte> section(size);
    const auto directory = [&section](std::size_t at, std::size_t entries) {
        StoreU16(section, at + 14, static_cast<std::uint16_t>(entries));
        return at + 16;
    };
    std::size_t entry = directory(0, 1);
    StoreU32(section, entry, 16); // RT_VERSION
    StoreU32(section, entry + 4, 0x80000000 | static_cast<std::uint32_t>(directorySize(1)));
    entry = directory(directorySize(1), byName.size());
    for (const auto& [name, languages] : byName) {
        StoreU32(section, entry, name);
        StoreU32(section, entry + 4,
                 0x80000000 | static_cast<std::uint32_t>(languageDirectories[name]));
        entry += 8;
        std::size_t languageEntry = directory(languageDirectories[name], languages.size());
        for (const auto& [language, resource] : languages) {
            StoreU32(section, languageEntry, language);
            StoreU32(section, languageEntry + 4, static_cast<std::uint32_t>(dataEntries));
            languageEntry += 8;
            const std::size_t data = AlignUp(section.size(), 8);
            section.resize(data + resource->data.size());
            PutBytes(section, data, resource->data);
            StoreU32(section, dataEntries, kPeResourceRva + static_cast<std::uint32_t>(data));
            StoreU32(section, dataEntries + 4, static_cast<std::uint32_t>(resource->data.size()));
            dataEntries += 16;
        }
    }
    return section;
}

} // namespace

VersionNode Text(std::string key, const std::u16string& text) {
    return versiongen::TextValue(std::move(key), text);
}

VersionNode NoText(std::string key) {
    return VersionNode{std::move(key), true, {}, 0, {}};
}

VersionNode StringTable(std::string name, std::vector<VersionNode> values) {
    return versiongen::BlockNode(std::move(name), std::move(values));
}

std::vector<std::string> EightKeys() {
    return {"CompanyName",    "FileDescription",  "FileVersion", "InternalName",
            "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};
}

std::vector<std::string> EightValues() {
    return {"Company",   "Description", "1.2.3.4", "Internal",
            "Copyright", "Original",    "Product", "5.6.7.8"};
}

std::vector<VersionNode> EightStrings() {
    std::vector<VersionNode> values;
    const auto keys = EightKeys();
    const auto texts = EightValues();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        values.push_back(Text(keys[i], std::u16string(texts[i].begin(), texts[i].end())));
    }
    return values;
}

std::vector<std::byte> VersionBlock(const std::vector<VersionNode>& tables,
                                    const std::vector<std::uint16_t>& translations) {
    versiongen::FixedFileInfo fixed;
    fixed.fileVersionMs = 0x00010002;
    fixed.fileVersionLs = 0x00030004;
    fixed.flagsMask = 0x3F;
    fixed.os = 0x4;
    fixed.type = 0x1;
    return versiongen::WriteVersionBlock(versiongen::RootNode(
        fixed, {versiongen::BlockNode("StringFileInfo", tables),
                versiongen::BlockNode("VarFileInfo",
                                      {versiongen::WordsValue("Translation", translations)})}));
}

std::vector<std::byte> PeFile(const std::vector<VersionResource>& resources, PeKind kind) {
    const bool wide = kind == PeKind::Pe32Plus;
    const std::vector<std::byte> section = ResourceSection(resources);
    const std::size_t optionalSize = wide ? 0xF0 : 0xE0;
    const std::size_t rawSize = AlignUp(section.size(), kFileAlignment);

    std::vector<std::byte> file(kPeResourceOffset + rawSize);
    StoreU16(file, 0, 0x5A4D); // "MZ"
    StoreU32(file, 0x3C, kPeNtHeaders);
    StoreU32(file, kPeNtHeaders, 0x4550); // "PE\0\0"
    StoreU16(file, kPeFileHeader, wide ? 0x8664 : 0x014C);
    StoreU16(file, kPeFileHeader + 2, 1); // one section
    StoreU16(file, kPeFileHeader + 16, static_cast<std::uint16_t>(optionalSize));
    StoreU16(file, kPeFileHeader + 18, wide ? 0x0022 : 0x0102); // executable image

    const std::size_t optional = kPeOptionalHeader;
    StoreU16(file, optional, wide ? 0x20B : 0x10B);
    if (wide) {
        StoreU32(file, optional + 28, 0x1); // ImageBase 0x140000000
        StoreU32(file, optional + 24, 0x40000000);
    } else {
        StoreU32(file, optional + 28, 0x400000); // ImageBase
    }
    StoreU32(file, optional + 32, kSectionAlignment);
    StoreU32(file, optional + 36, kFileAlignment);
    StoreU16(file, optional + 40, 6); // operating system 6.0
    StoreU16(file, optional + 48, 6); // subsystem 6.0
    StoreU32(
        file, optional + 56,
        static_cast<std::uint32_t>(kPeResourceRva + AlignUp(section.size(), kSectionAlignment)));
    StoreU32(file, optional + 60, kPeResourceOffset); // SizeOfHeaders
    StoreU16(file, optional + 68, 2);                 // Windows GUI
    const std::size_t directories = optional + (wide ? 112 : 96);
    StoreU32(file, directories - 4, 16); // NumberOfRvaAndSizes
    StoreU32(file, directories + 8 * 2, kPeResourceRva);
    StoreU32(file, directories + 8 * 2 + 4, static_cast<std::uint32_t>(section.size()));

    const std::size_t header = optional + optionalSize;
    const char name[8] = {'.', 'r', 's', 'r', 'c'};
    for (std::size_t i = 0; i < 8; ++i) {
        file[header + i] = static_cast<std::byte>(name[i]);
    }
    StoreU32(file, header + 8, static_cast<std::uint32_t>(section.size()));
    StoreU32(file, header + 12, kPeResourceRva);
    StoreU32(file, header + 16, static_cast<std::uint32_t>(rawSize));
    StoreU32(file, header + 20, kPeResourceOffset);
    StoreU32(file, header + 36, 0x40000040); // initialised data, readable
    PutBytes(file, kPeResourceOffset, section);
    return file;
}

void StoreU16(std::vector<std::byte>& bytes, std::size_t at, std::uint16_t value) {
    bytes.at(at) = static_cast<std::byte>(value & 0xFF);
    bytes.at(at + 1) = static_cast<std::byte>(value >> 8);
}

void StoreU32(std::vector<std::byte>& bytes, std::size_t at, std::uint32_t value) {
    StoreU16(bytes, at, static_cast<std::uint16_t>(value & 0xFFFF));
    StoreU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

void WriteBytes(const std::string& path, const std::vector<std::byte>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace twinvane::testing
