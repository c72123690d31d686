// SPDX-License-Identifier: MIT
#include "settings/RegistrySandbox.h"

#include "settings/Settings.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"

namespace twinvane::testing {

// The whole registry file lives in a temporary folder, so even the real
// section name is safe to use.
class RegistrySandbox::Place {
public:
    TempFolder temp;
    EnvGuard config{"XDG_CONFIG_HOME", temp / "config"};
};

RegistrySandbox::RegistrySandbox(Section)
    : section_(kSettingsSection), place_(std::make_unique<Place>()) {}

RegistrySandbox::~RegistrySandbox() = default;

} // namespace twinvane::testing
