// SPDX-License-Identifier: MIT
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>

namespace twinvane {

// The diff program's arguments when none are stored: the two names, each
// in double quotes, which gives the command line WinDiff was made for.
inline constexpr const char* kDefaultDiffArguments = "\"%1\" \"%2\"";

// The stored part of the comparison state, with the defaults of a first run.
struct StoredSettings {
    std::string InstallFolder = "C:\\Twinvane";
    std::string File1;
    std::string File2;
    std::string WinDiffPath = "C:\\Twinvane";
    std::int32_t ActionSetting = 2;
    bool DeleteTemps = true;
    // The diff program's argument template, %1 and %2 standing for the files.
    std::string WinDiffArgs = kDefaultDiffArguments;
    // Whether long names are offered short copies before the program starts.
    bool ShortNames = true;
};

// The values, numbered in the order they are read and written.
enum SettingsField : std::size_t {
    kInstallField,
    kFile1Field,
    kFile2Field,
    kWinDiffPathField,
    kActionField,
    kDeleteTempsField,
    kWinDiffArgsField,
    kShortNamesField,
    kSettingsFieldCount
};
using SettingsFields = std::bitset<kSettingsFieldCount>;

inline SettingsFields AllSettingsFields() {
    return SettingsFields().set();
}

// The fields whose values differ between `a` and `b`.
SettingsFields ChangedFields(const StoredSettings& a, const StoredSettings& b);

// Where the settings live: this section of HKEY_CURRENT_USER\Software.
inline constexpr const char* kSettingsSection = "Varnook\\Twinvane";

// Opens the store, reads "Install", "File 1", "File 2", "WD Loc", "Action", "DelTemps",
// "WD Args", "Short Names" in this order into `settings` (a value read before a failure keeps its
// new value; the rest keep theirs), closes the store on every path. `read` tells, on every path,
// which values were read (an absent value counts as read, as its default). Raises
// twinvane::Exception-derived errors with the messages.
void LoadSettings(StoredSettings& settings, SettingsFields& read,
                  const std::string& section = kSettingsSection);
void LoadSettings(StoredSettings& settings);

// Opens the store, writes the values among `fields` in the same order, closes it on every path.
// Touches nothing when `fields` is empty.
void SaveSettings(const StoredSettings& settings, SettingsFields fields,
                  const std::string& section = kSettingsSection);
void SaveSettings(const StoredSettings& settings);

} // namespace twinvane
