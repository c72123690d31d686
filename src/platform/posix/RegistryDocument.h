// SPDX-License-Identifier: MIT
#pragma once

#include "CaseFold.h"
#include "FoldedIndex.h"
#include "ValueList.h"

#include "platform/Registry.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <string_view>

namespace twinvane::platform::posix {

// Registry key paths start with one of the Windows root keys
// ("HKEY_CURRENT_USER\Software\..."). Like Windows, every comparison of key
// and value names ignores the case of ASCII letters (FoldCase); the spelling
// first stored is the one kept.

// True when `path` names a root key and every part of it is a usable name:
// not empty, at most 255 bytes, without line breaks or zero bytes.
bool IsValidKeyPath(std::string_view path);

// True when `name` can name a value: no line breaks or zero bytes. Inline,
// as a file's every value line asks it.
inline bool IsValidValueName(std::string_view name) {
    for (const char c : name) {
        if (c == '\r' || c == '\n' || c == '\0') {
            return false;
        }
    }
    return true;
}

// "A\B" + "C\D" gives "A\B\C\D"; an empty `sub` gives `base`.
std::string JoinKeyPath(std::string_view base, std::string_view sub);

// An in-memory registry: keys in the order they were first stored, each with
// its values in the order they were first stored. The root keys and
// HKEY_CURRENT_USER\Software always exist, as on every Windows profile, and
// a key implies the keys above it. Each operation costs about the length of
// the names it is given (and the keys it removes), however deep or many the
// keys, so that reading a file stays linear in its size.
class RegistryDocument {
public:
    using NamedValue = posix::NamedValue;
    struct Key;

private:
    // The stored keys right below one path, chained through the keys.
    struct Children {
        Key* first = nullptr;
    };
    // As a key of Parents, the text of `path` and a "\" after it, so that the
    // paths below a path are found without building that text.
    struct Below {
        std::string_view path;
    };
    // FoldedLess, with Below in its place in the same order.
    struct PathLess : FoldedLess {
        using FoldedLess::operator();
        bool operator()(std::string_view a, Below b) const;
        bool operator()(Below a, std::string_view b) const;
    };
    // By path, in folded order, so that the paths below a path stand together.
    using Parents = std::map<std::string, Children, PathLess>;

public:
    struct Key {
        std::string path;
        ValueList values;

        friend bool operator==(const Key& a, const Key& b) {
            return a.path == b.path && a.values == b.values;
        }

    private:
        friend class RegistryDocument;
        std::uint32_t hash_ = 0; // of the path, kept for taking it out of the index
        // The key's place among the children of the path above it.
        bool hasParent_ = false;
        Parents::iterator parent_;
        Key* previous_ = nullptr;
        Key* next_ = nullptr;
    };

    RegistryDocument() = default;
    RegistryDocument(const RegistryDocument& other);
    RegistryDocument(RegistryDocument&& other) noexcept;
    RegistryDocument& operator=(RegistryDocument other) noexcept;
    ~RegistryDocument() = default;

    bool HasKey(std::string_view path) const;

    // Adds `path` (a valid key path); false when it already existed.
    bool CreateKey(std::string_view path);

    // The value `name` of key `path`, or null.
    const RegistryValue* FindValue(std::string_view path, std::string_view name) const;

    // Keeps `path` (a valid key path) as a key of its own, even one that
    // exists anyway, as a file lists it. Gives its values for changing,
    // valid until the key is removed.
    ValueList& StoreKey(std::string_view path) { return Ensure(path).values; }

    // Stores the value, creating its key; false when it held this already.
    bool SetValue(std::string_view path, std::string_view name, RegistryValue value);

    // Removes the key with every key below it; false when there was none.
    bool DeleteKey(std::string_view path);

    // Removes one value; false when there was none.
    bool DeleteValue(std::string_view path, std::string_view name);

    // Applies every key and value of `changes` to this one; true when that
    // changed anything.
    bool Merge(const RegistryDocument& changes);

    // The keys stored explicitly, in order.
    const std::list<Key>& Keys() const { return keys_; }
    bool Empty() const { return keys_.empty(); }

    friend bool operator==(const RegistryDocument& a, const RegistryDocument& b) {
        return a.keys_ == b.keys_;
    }

private:
    // A stored key is found through the hash of its path; the keys below a
    // path, through the parents of stored keys, as a parent below the path or
    // the path itself. Every stored key below a root has a parent.
    static std::uint32_t Hash(std::string_view path);
    Key* Find(std::string_view path) const;
    Key& Ensure(std::string_view path);
    void Link(Key& key);
    void Unlink(Key& key);
    void Remove(Key& key);
    bool RemoveChildren(Parents::iterator parent);

    std::list<Key> keys_; // nodes that never move, for the index and the chains
    FoldedIndex<std::list<Key>::iterator> index_;
    Parents parents_;
};

} // namespace twinvane::platform::posix
