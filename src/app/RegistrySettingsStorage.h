// SPDX-License-Identifier: MIT
#pragma once

#include "SettingsStorage.h"

namespace twinvane {

// The real store: the registry on Windows, its file on Linux.
class RegistrySettingsStorage final : public SettingsStorage {
public:
    void Load(StoredSettings& settings, SettingsFields& read) override {
        LoadSettings(settings, read);
    }
    void Save(const StoredSettings& settings, SettingsFields fields) override {
        SaveSettings(settings, fields);
    }
};

} // namespace twinvane
