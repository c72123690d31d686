// SPDX-License-Identifier: MIT
#pragma once

#include "SettingsStorage.h"

namespace twinvane {

// The real store: the registry on Windows, its file on Linux.
class RegistrySettingsStorage final : public SettingsStorage {
public:
    void Load(StoredSettings& settings) override { LoadSettings(settings); }
    void Save(const StoredSettings& settings) override { SaveSettings(settings); }
};

} // namespace twinvane
