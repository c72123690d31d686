// SPDX-License-Identifier: MIT
#pragma once

#include "about/TStringList.h"

#include <string>

namespace twinvane {

// Reads the string table of a file's version-information block and offers
// eight standard values of it as two parallel lists: the values found and the
// names of their keys, in the order of the key table ("CompanyName",
// "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
// "OriginalFilename", "ProductName", "ProductVersion").
//
// Giving a file name is the whole interface: SetfileName reads at once, and
// the lists hold the result until the next name is given. Reading stops at
// the first key the block lacks; a key whose value has no characters at all
// is skipped. Both lists always have the same number of entries. No failure
// of the reading is reported: the lists are short instead.
class TGetVersionInfoFromFile {
public:
    TGetVersionInfoFromFile() = default;

    // The file whose block was last read; empty when none.
    const std::string& fileName() const noexcept { return fileName_; }

    // Clears both lists; then, when `name` names an existing file (not a
    // folder), keeps it as fileName and reads its block; otherwise fileName
    // becomes empty. Names of any length are used whole.
    void SetfileName(const std::string& name);

    const TStringList& VersionStrings() const noexcept { return versionStrings_; }
    const TStringList& VersionCategories() const noexcept { return versionCategories_; }

    // The lists are filled only by reading a file: assigning them does nothing.
    void SetVersionStrings(const TStringList&) noexcept {}
    void SetVersionCategories(const TStringList&) noexcept {}

private:
    void ReadVersionInfo();
    void Append(const std::string& key, std::string value);

    std::string fileName_;
    TStringList versionStrings_;
    TStringList versionCategories_;
};

} // namespace twinvane
