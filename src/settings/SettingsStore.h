// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Exception.h"
#include "platform/Registry.h"

#include <cstdint>
#include <string>

namespace twinvane {

// A read or write of the settings store failed; the message says which.
class SettingsError : public Exception {
public:
    using Exception::Exception;
};

// The registry used in the manner of an INI file: a section is a key path
// below the base key, an ident is a value name, and every value, numbers and
// flags included, is stored as text (REG_SZ, its terminating zero counted).
// Every key opened is closed again on every path. On Linux the writes reach
// the file together at Close; a store that goes without Close keeps none.
class SettingsStore {
public:
    // Opens `baseKey` below HKEY_CURRENT_USER with full access, creating it
    // when missing. A failure here is not reported: the sections are then
    // taken relative to HKEY_CURRENT_USER itself. Raises
    // platform::RegistryError when there is no place for the registry.
    explicit SettingsStore(const std::string& baseKey);
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The text of `ident` in `section`; `defaultValue` when the section or
    // the value is missing. Never creates anything. Raises SettingsError
    // "Failed to get data for '<ident>'" or "Invalid data type for
    // '<ident>'" (a value that is neither REG_SZ nor REG_EXPAND_SZ), and
    // platform::RegistryError when the registry cannot be read.
    std::string ReadText(const std::string& section, const std::string& ident,
                         const std::string& defaultValue);

    // The text read as an integer (see ParseInteger); `defaultValue` when
    // absent or not a valid number. Raises as ReadText.
    std::int32_t ReadInteger(const std::string& section, const std::string& ident,
                             std::int32_t defaultValue);

    // The integer read with the default's ordinal (1 or 0); true when not
    // zero. Raises as ReadText.
    bool ReadFlag(const std::string& section, const std::string& ident, bool defaultValue);

    // Stores `value` under `ident`, creating `section` when missing. Raises
    // SettingsError "Failed to create key <section>" or "Failed to set data
    // for '<ident>'".
    void WriteText(const std::string& section, const std::string& ident, const std::string& value);

    // Stores the integer as decimal text.
    void WriteInteger(const std::string& section, const std::string& ident, std::int32_t value);

    // Stores "1" for true, "0" for false.
    void WriteFlag(const std::string& section, const std::string& ident, bool value);

    // Releases the base key and makes the writes durable. Raises
    // platform::RegistryError when they could not be stored (Linux). The
    // store is not used afterwards.
    void Close();

private:
    platform::UserRegistry registry_;
    platform::RegistryKey base_; // declared after registry_: closed before it goes
};

} // namespace twinvane
