// SPDX-License-Identifier: MIT
#pragma once

#include "Exception.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace twinvane::platform {

// Registry value types, numbered as Windows numbers them. Any other number
// is kept as it is.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// A value as stored: its type and its raw bytes, a text's terminating zero
// included.
struct RegistryValue {
    std::uint32_t type = kRegNone;
    std::string data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// The registry's own storage failed. On Linux: the settings file cannot be
// read, does not parse, or cannot be replaced; the message names the file.
class RegistryError : public Exception {
public:
    using Exception::Exception;
};

enum class ValueLookup { Found, Missing, Failed };

class UserRegistry;

// An open registry key (an HKEY on Windows), closed when the object goes.
// Move-only; it must not outlive the UserRegistry it came from. Every
// operation on a closed key fails.
class RegistryKey {
public:
    RegistryKey() noexcept = default;
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    bool IsOpen() const noexcept { return registry_ != nullptr; }

    // The existing key `path` below this one, opened with full access
    // (RegOpenKeyExA). Never creates anything: a closed key when it is
    // missing or cannot be opened. Raises RegistryError when the storage
    // cannot be read.
    RegistryKey OpenSubKey(const std::string& path) const;

    // The key `path` below this one, created with the keys above it when
    // missing (RegCreateKeyExA, full access); a closed key on failure.
    RegistryKey CreateSubKey(const std::string& path) const;

    // Reads the value `name` ("" for the key's default value) into `value`
    // (RegQueryValueExA). Raises RegistryError when the storage cannot be read.
    ValueLookup QueryValue(const std::string& name, RegistryValue& value) const;

    // Stores `data` under `name` with `type` (RegSetValueExA); false on failure.
    bool SetValue(const std::string& name, std::uint32_t type, std::string_view data) const;

    // Releases the key (RegCloseKey). A predefined root key stays usable.
    void Close() noexcept;

private:
    friend class UserRegistry;
    RegistryKey(UserRegistry* registry, std::uintptr_t handle, bool owned) noexcept
        : registry_(registry), handle_(handle), owned_(owned) {}

    UserRegistry* registry_ = nullptr;
    std::uintptr_t handle_ = 0;
    bool owned_ = false;
};

// The current user's registry for one piece of work, a load or a save.
// On Windows every change reaches the registry as it is made. On Linux the
// registry is a file, and the changes made through this object's keys reach
// it together, all or none, when Commit runs; those not committed when the
// object goes are dropped.
class UserRegistry {
public:
    // Raises RegistryError when there is no place for the registry (Linux:
    // no configuration folder can be found).
    UserRegistry();
    UserRegistry(const UserRegistry&) = delete;
    UserRegistry& operator=(const UserRegistry&) = delete;
    ~UserRegistry();

    // HKEY_CURRENT_USER, a predefined key that is never really closed.
    RegistryKey CurrentUser();

    // Makes the changes so far durable. Raises RegistryError when they could
    // not be stored; the registry then holds none of them.
    void Commit();

    class Backend;

private:
    friend class RegistryKey;
    void Release(std::uintptr_t handle) noexcept;

    std::unique_ptr<Backend> backend_;
};

} // namespace twinvane::platform
