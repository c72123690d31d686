// SPDX-License-Identifier: MIT
#include "SettingsStore.h"

#include "IntegerText.h"

namespace twinvane {

SettingsStore::SettingsStore(const std::string& baseKey)
    : base_(registry_.CurrentUser().CreateSubKey(baseKey)) {
    if (!base_.IsOpen()) {
        base_ = registry_.CurrentUser();
    }
}

std::string SettingsStore::ReadText(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) {
    const platform::RegistryKey key = base_.OpenSubKey(section);
    if (!key.IsOpen()) {
        return defaultValue;
    }
    platform::RegistryValue value;
    switch (key.QueryValue(ident, value)) {
    case platform::ValueLookup::Missing:
        return defaultValue;
    case platform::ValueLookup::Failed:
        throw SettingsError("Failed to get data for '" + ident + "'");
    case platform::ValueLookup::Found:
        break;
    }
    if (value.data.empty()) {
        return {};
    }
    if (value.type != platform::kRegSz && value.type != platform::kRegExpandSz) {
        throw SettingsError("Invalid data type for '" + ident + "'");
    }
    // The data need not end in a zero; the text stops at the first one
    // there is, or at the end of the data.
    return value.data.substr(0, value.data.find('\0'));
}

std::int32_t SettingsStore::ReadInteger(const std::string& section, const std::string& ident,
                                        std::int32_t defaultValue) {
    return ParseInteger(ReadText(section, ident, {})).value_or(defaultValue);
}

bool SettingsStore::ReadFlag(const std::string& section, const std::string& ident,
                             bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::WriteText(const std::string& section, const std::string& ident,
                              const std::string& value) {
    if (!base_.CreateSubKey(section).IsOpen()) {
        throw SettingsError("Failed to create key " + section);
    }
    const platform::RegistryKey key = base_.OpenSubKey(section);
    if (!key.IsOpen()) {
        return;
    }
    std::string data = value;
    data += '\0';
    if (!key.SetValue(ident, platform::kRegSz, data)) {
        throw SettingsError("Failed to set data for '" + ident + "'");
    }
}

void SettingsStore::WriteInteger(const std::string& section, const std::string& ident,
                                 std::int32_t value) {
    WriteText(section, ident, std::to_string(value));
}

void SettingsStore::WriteFlag(const std::string& section, const std::string& ident, bool value) {
    WriteText(section, ident, value ? "1" : "0");
}

void SettingsStore::Close() {
    base_.Close();
    registry_.Commit();
}

} // namespace twinvane
