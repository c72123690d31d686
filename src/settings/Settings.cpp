// SPDX-License-Identifier: MIT
#include "Settings.h"

#include "SettingsStore.h"

namespace twinvane {
namespace {

constexpr const char* kBaseKey = "Software";

} // namespace

void LoadSettings(StoredSettings& settings) {
    LoadSettings(settings, kSettingsSection);
}

void SaveSettings(const StoredSettings& settings) {
    SaveSettings(settings, kSettingsSection);
}

void LoadSettings(StoredSettings& settings, const std::string& section) {
    const StoredSettings defaults;
    SettingsStore store(kBaseKey);
    settings.InstallFolder = store.ReadText(section, "Install", defaults.InstallFolder);
    settings.File1 = store.ReadText(section, "File 1", defaults.File1);
    settings.File2 = store.ReadText(section, "File 2", defaults.File2);
    settings.WinDiffPath = store.ReadText(section, "WD Loc", defaults.WinDiffPath);
    settings.ActionSetting = store.ReadInteger(section, "Action", defaults.ActionSetting);
    settings.DeleteTemps = store.ReadFlag(section, "DelTemps", defaults.DeleteTemps);
    store.Close();
}

void SaveSettings(const StoredSettings& settings, const std::string& section) {
    SettingsStore store(kBaseKey);
    store.WriteText(section, "Install", settings.InstallFolder);
    store.WriteText(section, "File 1", settings.File1);
    store.WriteText(section, "File 2", settings.File2);
    store.WriteText(section, "WD Loc", settings.WinDiffPath);
    store.WriteInteger(section, "Action", settings.ActionSetting);
    store.WriteFlag(section, "DelTemps", settings.DeleteTemps);
    store.Close();
}

} // namespace twinvane
