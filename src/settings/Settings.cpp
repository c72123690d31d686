// SPDX-License-Identifier: MIT
#include "Settings.h"

#include "SettingsStore.h"

namespace twinvane {
namespace {

constexpr const char* kBaseKey = "Software";

} // namespace

SettingsFields ChangedFields(const StoredSettings& a, const StoredSettings& b) {
    SettingsFields changed;
    changed[kInstallField] = a.InstallFolder != b.InstallFolder;
    changed[kFile1Field] = a.File1 != b.File1;
    changed[kFile2Field] = a.File2 != b.File2;
    changed[kWinDiffPathField] = a.WinDiffPath != b.WinDiffPath;
    changed[kActionField] = a.ActionSetting != b.ActionSetting;
    changed[kDeleteTempsField] = a.DeleteTemps != b.DeleteTemps;
    changed[kWinDiffArgsField] = a.WinDiffArgs != b.WinDiffArgs;
    changed[kShortNamesField] = a.ShortNames != b.ShortNames;
    return changed;
}

void LoadSettings(StoredSettings& settings) {
    SettingsFields read;
    LoadSettings(settings, read);
}

void SaveSettings(const StoredSettings& settings) {
    SaveSettings(settings, AllSettingsFields());
}

void LoadSettings(StoredSettings& settings, SettingsFields& read, const std::string& section) {
    const StoredSettings defaults;
    read.reset();
    SettingsStore store(kBaseKey);
    settings.InstallFolder = store.ReadText(section, "Install", defaults.InstallFolder);
    read.set(kInstallField);
    settings.File1 = store.ReadText(section, "File 1", defaults.File1);
    read.set(kFile1Field);
    settings.File2 = store.ReadText(section, "File 2", defaults.File2);
    read.set(kFile2Field);
    settings.WinDiffPath = store.ReadText(section, "WD Loc", defaults.WinDiffPath);
    read.set(kWinDiffPathField);
    settings.ActionSetting = store.ReadInteger(section, "Action", defaults.ActionSetting);
    read.set(kActionField);
    settings.DeleteTemps = store.ReadFlag(section, "DelTemps", defaults.DeleteTemps);
    read.set(kDeleteTempsField);
    settings.WinDiffArgs = store.ReadText(section, "WD Args", defaults.WinDiffArgs);
    read.set(kWinDiffArgsField);
    settings.ShortNames = store.ReadFlag(section, "Short Names", defaults.ShortNames);
    read.set(kShortNamesField);
    store.Close();
}

void SaveSettings(const StoredSettings& settings, SettingsFields fields,
                  const std::string& section) {
    if (fields.none()) {
        return;
    }
    SettingsStore store(kBaseKey);
    if (fields[kInstallField]) {
        store.WriteText(section, "Install", settings.InstallFolder);
    }
    if (fields[kFile1Field]) {
        store.WriteText(section, "File 1", settings.File1);
    }
    if (fields[kFile2Field]) {
        store.WriteText(section, "File 2", settings.File2);
    }
    if (fields[kWinDiffPathField]) {
        store.WriteText(section, "WD Loc", settings.WinDiffPath);
    }
    if (fields[kActionField]) {
        store.WriteInteger(section, "Action", settings.ActionSetting);
    }
    if (fields[kDeleteTempsField]) {
        store.WriteFlag(section, "DelTemps", settings.DeleteTemps);
    }
    if (fields[kWinDiffArgsField]) {
        store.WriteText(section, "WD Args", settings.WinDiffArgs);
    }
    if (fields[kShortNamesField]) {
        store.WriteFlag(section, "Short Names", settings.ShortNames);
    }
    store.Close();
}

} // namespace twinvane
