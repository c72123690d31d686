// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Registry.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace twinvane::platform::posix {

// Registry key paths start with one of the Windows root keys
// ("HKEY_CURRENT_USER\Software\..."). Like Windows, every comparison of key
// and value names ignores the case of ASCII letters; the spelling first
// stored is the one kept.
std::string FoldCase(std::string_view text);

// True when `path` names a root key and every part of it is a usable name:
// not empty, at most 255 bytes, without line breaks or zero bytes.
bool IsValidKeyPath(std::string_view path);

// True when `name` can name a value: no line breaks or zero bytes.
bool IsValidValueName(std::string_view name);

// "A\B" + "C\D" gives "A\B\C\D"; an empty `sub` gives `base`.
std::string JoinKeyPath(std::string_view base, std::string_view sub);

// An in-memory registry: keys in the order they were first stored, each with
// its values in the order they were first stored. The root keys and
// HKEY_CURRENT_USER\Software always exist, as on every Windows profile, and
// a key implies the keys above it.
class RegistryDocument {
public:
    struct NamedValue {
        std::string name;
        RegistryValue value;
        friend bool operator==(const NamedValue&, const NamedValue&) = default;
    };
    struct Key {
        std::string path;
        std::vector<NamedValue> values;
        friend bool operator==(const Key&, const Key&) = default;
    };

    bool HasKey(std::string_view path) const;

    // Adds `path` (a valid key path); false when it already existed.
    bool CreateKey(std::string_view path);

    // The value `name` of key `path`, or null.
    const RegistryValue* FindValue(std::string_view path, std::string_view name) const;

    // Keeps `path` (a valid key path) as a key of its own, even one that
    // exists anyway, as a file lists it.
    void StoreKey(std::string_view path) { Ensure(path); }

    // Stores the value, creating its key; false when it held this already.
    bool SetValue(std::string_view path, std::string_view name, const RegistryValue& value);

    // Removes the key with every key below it; false when there was none.
    bool DeleteKey(std::string_view path);

    // Removes one value; false when there was none.
    bool DeleteValue(std::string_view path, std::string_view name);

    // Applies every key and value of `changes` to this one; true when that
    // changed anything.
    bool Merge(const RegistryDocument& changes);

    // The keys stored explicitly, in order.
    const std::vector<Key>& Keys() const { return keys_; }
    bool Empty() const { return keys_.empty(); }

    friend bool operator==(const RegistryDocument& a, const RegistryDocument& b) {
        return a.keys_ == b.keys_;
    }

private:
    Key* Find(std::string_view path);
    const Key* Find(std::string_view path) const;
    Key& Ensure(std::string_view path);
    void Reindex();

    std::vector<Key> keys_;
    std::unordered_map<std::string, std::size_t> index_; // folded path -> position in keys_
    std::unordered_set<std::string> ancestors_;          // folded paths above stored keys
};

} // namespace twinvane::platform::posix
