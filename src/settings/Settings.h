// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace twinvane {

// The stored part of the comparison state, with the defaults of a first run.
struct StoredSettings {
    std::string InstallFolder = "C:\\Twinvane";
    std::string File1;
    std::string File2;
    std::string WinDiffPath = "C:\\Twinvane";
    std::int32_t ActionSetting = 2;
    bool DeleteTemps = true;
};

// Where the settings live: this section of HKEY_CURRENT_USER\Software.
inline constexpr const char* kSettingsSection = "Varnook\\Twinvane";

// Opens the store, reads "Install", "File 1", "File 2", "WD Loc", "Action", "DelTemps" in this
// order into `settings` (a value read before a failure keeps its new value; the rest keep theirs),
// closes the store on every path. Raises twinvane::Exception-derived errors with the messages.
void LoadSettings(StoredSettings& settings);

// Opens the store, writes the six values in the same order, closes it on every path.
void SaveSettings(const StoredSettings& settings);

// The same over another section of HKEY_CURRENT_USER\Software, so that
// tests and tools leave the user's own settings alone.
void LoadSettings(StoredSettings& settings, const std::string& section);
void SaveSettings(const StoredSettings& settings, const std::string& section);

} // namespace twinvane
