// SPDX-License-Identifier: MIT
#pragma once

#include "settings/Settings.h"

namespace twinvane {

// Where the main window's settings go, so that tests can make a load or a
// save fail at will.
class SettingsStorage {
public:
    virtual ~SettingsStorage() = default;
    // Fills `settings`; `read` tells, also when it raises, which values were read.
    virtual void Load(StoredSettings& settings, SettingsFields& read) = 0;
    // Stores the values among `fields`, and only those.
    virtual void Save(const StoredSettings& settings, SettingsFields fields) = 0;
};

} // namespace twinvane
