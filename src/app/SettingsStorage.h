// SPDX-License-Identifier: MIT
#pragma once

#include "settings/Settings.h"

namespace twinvane {

// Where the main window's settings go, so that tests can make a load or a
// save fail at will.
class SettingsStorage {
public:
    virtual ~SettingsStorage() = default;
    virtual void Load(StoredSettings& settings) = 0;
    virtual void Save(const StoredSettings& settings) = 0;
};

} // namespace twinvane
