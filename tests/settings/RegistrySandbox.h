// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace twinvane::testing {

// A part of the registry that a test may change freely, cleaned up when the
// object goes. On Linux the whole registry file is private to the test
// (XDG_CONFIG_HOME points at a temporary folder). On Windows it is a key of
// its own below HKEY_CURRENT_USER\Software, deleted afterwards; asked for
// the real settings section, it refuses to start when that key exists, so
// that no one's settings are lost to a test run.
class RegistrySandbox {
public:
    enum class Section { OwnSection, UserSettings };

    explicit RegistrySandbox(Section section = Section::OwnSection);
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;
    ~RegistrySandbox();

    // The section below HKEY_CURRENT_USER\Software that the test may use.
    const std::string& SectionPath() const { return section_; }

    // Stores a value in the section directly, as another program might.
    void Plant(const std::string& name, std::uint32_t type, std::string_view data) const;

    // The value as stored, read directly; nothing when missing.
    std::optional<platform::RegistryValue> Peek(const std::string& name) const;

    bool SectionExists() const;

    class Place; // per platform: what has to be undone

private:
    std::string section_;
    std::unique_ptr<Place> place_;
};

} // namespace twinvane::testing
