// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Registry.h"

#include <absl/container/flat_hash_map.h>
#include <absl/container/flat_hash_set.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace twinvane::platform::posix {

// Registry key paths start with one of the Windows root keys
// ("HKEY_CURRENT_USER\Software\..."). Like Windows, every comparison of key
// and value names ignores the case of ASCII letters only; other bytes
// compare as they are. The spelling first stored is the one kept.

// `text` with its ASCII capitals made small.
std::string FoldCase(std::string_view text);

// True when `path` names a root key and every part of it is a usable name:
// not empty, at most 255 bytes, without line breaks or zero bytes.
bool IsValidKeyPath(std::string_view path);

// True when `name` can name a value: no line breaks or zero bytes.
inline bool IsValidValueName(std::string_view name) {
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

// "A\B" + "C\D" gives "A\B\C\D"; an empty `sub` gives `base`.
std::string JoinKeyPath(std::string_view base, std::string_view sub);

struct NamedValue {
    std::string name;
    RegistryValue value;
    friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

// The values of one key in the order they were first stored. Storing,
// finding and removing a value cost amortised constant time however many
// the key holds: the values sit in a deque, found through Abseil's hash set
// (seeded per process, so that no file can choose names that collide) of
// their positions; a removal leaves a gap, swept out once gaps outnumber
// values. A key without values holds no table at all.
class ValueList {
    struct Table;

public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = NamedValue;
        using difference_type = std::ptrdiff_t;
        using pointer = const NamedValue*;
        using reference = const NamedValue&;

        Iterator() = default;
        reference operator*() const;
        pointer operator->() const { return &**this; }
        Iterator& operator++();
        Iterator operator++(int) { return std::exchange(*this, std::next(*this)); }
        friend bool operator==(const Iterator&, const Iterator&) = default;

    private:
        friend class ValueList;
        Iterator(const Table* table, std::size_t position);
        const Table* table_ = nullptr;
        std::size_t position_ = 0;
    };

    ValueList() = default;
    ValueList(const ValueList& other);
    ValueList(ValueList&&) noexcept = default;
    ValueList& operator=(ValueList other) noexcept {
        table_.swap(other.table_);
        return *this;
    }
    ~ValueList();

    // The value `name`, or null.
    const RegistryValue* Find(std::string_view name) const;
    // Stores the value, at the end when the name is new; false when it held
    // this already.
    bool Set(std::string_view name, RegistryValue&& value);
    // Removes the value `name`; false when there was none.
    bool Erase(std::string_view name);

    std::size_t size() const;
    bool empty() const { return size() == 0; }
    Iterator begin() const { return {table_.get(), 0}; }
    Iterator end() const;
    const NamedValue& front() const { return *begin(); }
    friend bool operator==(const ValueList& a, const ValueList& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    std::unique_ptr<Table> table_; // null while the key holds no value
};

// An in-memory registry: keys in the order they were first stored, each with
// its values in the order they were first stored. The root keys and
// HKEY_CURRENT_USER\Software always exist, as on every Windows profile, and
// a key implies the keys above it. Each operation costs about the length of
// the names it is given (and the keys it removes), however deep or many the
// keys, so that reading a file stays linear in its size.
class RegistryDocument {
public:
    using NamedValue = posix::NamedValue;
    struct Key {
        std::string path;
        ValueList values;
        friend bool operator==(const Key&, const Key&) = default;
    };

    RegistryDocument() = default;
    RegistryDocument(const RegistryDocument& other);
    RegistryDocument(RegistryDocument&& other) noexcept { Swap(other); }
    RegistryDocument& operator=(RegistryDocument other) noexcept {
        Swap(other);
        return *this;
    }
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
    // A path with the hash of its folded text, kept so that growing the
    // index reads no key.
    struct Name {
        std::string_view text;
        std::size_t hash;
    };
    struct NameHash {
        std::size_t operator()(const Name& name) const { return name.hash; }
    };
    struct NameEqual {
        bool operator()(const Name& a, const Name& b) const;
    };
    // Folded byte order, in which the paths below a path follow it together.
    struct PathLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using Index = absl::flat_hash_map<Name, std::list<Key>::iterator, NameHash, NameEqual>;
    // Every path right above a stored key, with the stored keys right below it.
    using Parents = std::map<std::string, absl::flat_hash_set<Key*>, PathLess>;

    Key* Find(std::string_view path) const;
    Key& Ensure(std::string_view path);
    void Unlink(Key& key);
    void Drop(Index::iterator found);
    Parents::iterator RemoveChildren(Parents::iterator parent);
    void Swap(RegistryDocument& other) noexcept;

    std::list<Key> keys_; // nodes that never move, for the index and the parents
    Index index_;
    Parents parents_;
};

} // namespace twinvane::platform::posix
