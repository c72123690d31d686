// SPDX-License-Identifier: MIT
#include "RegistrySandbox.h"

#include <stdexcept>

namespace twinvane::testing {
namespace {

std::string SectionKey(const std::string& section) {
    return "Software\\" + section;
}

} // namespace

void RegistrySandbox::Plant(const std::string& name, std::uint32_t type,
                            std::string_view data) const {
    platform::UserRegistry registry;
    const platform::RegistryKey key = registry.CurrentUser().CreateSubKey(SectionKey(section_));
    if (!key.SetValue(name, type, data)) {
        throw std::runtime_error("cannot plant the value " + name);
    }
    registry.Commit();
}

std::optional<platform::RegistryValue> RegistrySandbox::Peek(const std::string& name) const {
    platform::UserRegistry registry;
    const platform::RegistryKey key = registry.CurrentUser().OpenSubKey(SectionKey(section_));
    platform::RegistryValue value;
    if (key.QueryValue(name, value) != platform::ValueLookup::Found) {
        return std::nullopt;
    }
    return value;
}

bool RegistrySandbox::SectionExists() const {
    platform::UserRegistry registry;
    return registry.CurrentUser().OpenSubKey(SectionKey(section_)).IsOpen();
}

} // namespace twinvane::testing
