// SPDX-License-Identifier: MIT
#pragma once

#include "File1Commands.h"
#include "SettingsStorage.h"
#include "platform/FileManagerMenu.h"

namespace twinvane {

// The real store: the registry on Windows, its file on Linux. A new File 1
// also renames the file manager's item that compares with it.
class RegistrySettingsStorage final : public SettingsStorage {
public:
    void Load(StoredSettings& settings, SettingsFields& read) override {
        LoadSettings(settings, read);
    }
    void Save(const StoredSettings& settings, SettingsFields fields) override {
        SaveSettings(settings, fields);
        if (fields[kFile1Field]) {
            platform::ShowCompareWithFile1Item(CompareWithFile1Caption(settings.File1));
        }
    }
};

} // namespace twinvane
