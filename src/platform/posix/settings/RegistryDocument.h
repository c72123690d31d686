// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Registry.h"

#include "platform/AsciiText.h"

#include <absl/container/flat_hash_set.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace twinvane::platform::posix {

// Registry key paths start with one of the Windows root keys
// ("HKEY_CURRENT_USER\Software\..."). Like Windows, every comparison of key
// and value names ignores the case of ASCII letters only; other bytes
// compare as they are. The spelling first stored is the one kept.

// `text` with its ASCII capitals made small.
inline std::string FoldCase(std::string_view text) {
    return LowerAscii(text);
}

// True when `path` names a root key and every part of it is a usable name:
// not empty, at most 255 bytes, without line breaks or zero bytes.
bool IsValidKeyPath(std::string_view path);

// True when `name` can name a value: no line breaks or zero bytes.
inline bool IsValidValueName(std::string_view name) {
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

// Equal when the texts are equal but for the case of ASCII letters. Names
// in one file mostly share their spelling: bytes as they are first.
inline bool EqualFolded(std::string_view a, std::string_view b) {
    return a == b || std::equal(a.begin(), a.end(), b.begin(), b.end(),
                                [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}
// Abseil's hash of the folded text, its low half: seeded per process, so
// that no file can choose names that collide.
std::uint32_t HashFolded(std::string_view text);

// Things named by their member `Name`, in the order first stored, found by
// name ignoring case (the spelling first stored is kept). Storing, finding
// and removing cost amortised constant time however many there are: the
// things sit in a deque, which never moves them, found through Abseil's
// hash set of their positions; a removal leaves a gap, swept out once gaps
// outnumber things. An empty table holds no memory but a pointer.
template <class T, std::string T::*Name> class NamedTable {
    // A gap is named by a line break, which no stored name holds.
    static bool IsLive(const T& item) { return std::string_view(item.*Name) != "\n"; }
    using Slot = std::uint32_t; // the position of an item
    struct Probe {
        std::string_view name;
        std::uint32_t hash;
    };
    struct Table;
    struct Index { // hashes slots and probes, and compares them, alike
        using is_transparent = void;
        std::size_t operator()(const Probe& probe) const { return probe.hash; }
        std::size_t operator()(Slot slot) const { return table->hashes[slot]; }
        bool operator()(const auto& a, const auto& b) const {
            return (*this)(a) == (*this)(b) && EqualFolded(NameOf(a), NameOf(b));
        }
        std::string_view NameOf(const Probe& probe) const { return probe.name; }
        std::string_view NameOf(Slot slot) const { return table->items[slot].*Name; }
        const Table* table;
    };
    struct Table {                         // never copied: the index points at it
        std::deque<T> items;               // in the order first stored, with gaps
        std::vector<std::uint32_t> hashes; // of their names, so that growing the index reads none
        absl::flat_hash_set<Slot, Index, Index> index{0, Index{this}, Index{this}};
    };
    using Place = typename std::deque<T>::const_iterator;

public:
    // Steps over the gaps.
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(Place at, Place end) : at_(std::find_if(at, end, IsLive)), end_(end) {}
        const T& operator*() const { return *at_; }
        const T* operator->() const { return &*at_; }
        Iterator& operator++() {
            at_ = std::find_if(std::next(at_), end_, IsLive);
            return *this;
        }
        Iterator operator++(int) { return std::exchange(*this, std::next(*this)); }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.at_ == b.at_; }

    private:
        Place at_{}, end_{}; // value-initialised: equal, as the ends of an empty table
    };

    NamedTable() = default;
    NamedTable(const NamedTable& other) {
        for (const T& item : other) {
            Ensure(item.*Name).first = item;
        }
    }
    NamedTable(NamedTable&&) noexcept = default;
    NamedTable& operator=(NamedTable other) noexcept {
        table_.swap(other.table_);
        return *this;
    }

    // The thing named `name`, or null.
    T* Find(std::string_view name) const {
        if (table_ == nullptr) {
            return nullptr;
        }
        const auto found = table_->index.find(Probe{name, HashFolded(name)});
        return found == table_->index.end() ? nullptr : &table_->items[*found];
    }

    // The thing named `name` (without line breaks), a new one at the end
    // when there was none, with true then. Valid until something is removed.
    std::pair<T&, bool> Ensure(std::string_view name) {
        if (table_ == nullptr) {
            table_ = std::make_unique<Table>();
        }
        Table& table = *table_;
        // One probe of the index finds the name or takes the next position.
        const Probe probe{name, HashFolded(name)};
        bool added = false; // read rather than the new slot, which is not in the cache
        const auto slot = table.index.lazy_emplace(probe, [&](const auto& construct) {
            construct(static_cast<Slot>(table.items.size()));
            added = true;
        });
        if (!added) {
            return {table.items[*slot], false};
        }
        try { // built where it stays: moving one in showed in load times
            table.hashes.push_back(probe.hash);
            table.items.emplace_back().*Name = name;
        } catch (...) {
            table.hashes.resize(*slot);
            table.items.resize(*slot);
            table.index.erase(slot);
            throw;
        }
        return {table.items.back(), true};
    }

    // Removes the thing named `name`; false when there was none.
    bool Erase(std::string_view name) {
        T* item = Find(name);
        if (item == nullptr) {
            return false;
        }
        table_->index.erase(Probe{name, HashFolded(name)});
        *item = T(); // its memory goes now, its place at the next sweep
        item->*Name = "\n";
        if (table_->items.size() > 2 * table_->index.size()) { // gaps outnumber things
            NamedTable kept;
            for (T& live : table_->items) {
                if (IsLive(live)) {
                    kept.Ensure(live.*Name).first = std::move(live);
                }
            }
            *this = std::move(kept);
        }
        return true;
    }

    std::size_t size() const { return table_ == nullptr ? 0 : table_->index.size(); }
    bool empty() const { return size() == 0; }
    Iterator begin() const { return table_ ? Iterator(Items().begin(), Items().end()) : end(); }
    Iterator end() const { return table_ ? Iterator(Items().end(), Items().end()) : Iterator(); }
    const T& front() const { return *begin(); }
    const T& back() const { return *std::find_if(Items().rbegin(), Items().rend(), IsLive); }
    friend bool operator==(const NamedTable& a, const NamedTable& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    const std::deque<T>& Items() const { return table_->items; }

    std::unique_ptr<Table> table_; // null while the table is empty
};

struct NamedValue {
    std::string name;
    RegistryValue value;
    friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

// The values of one key, in the order they were first stored.
using ValueList = NamedTable<NamedValue, &NamedValue::name>;

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
    using KeyList = NamedTable<Key, &Key::path>;

    bool HasKey(std::string_view path) const;
    // Adds `path` (a valid key path); false when it already existed.
    bool CreateKey(std::string_view path);
    // The value `name` of key `path`, or null.
    const RegistryValue* FindValue(std::string_view path, std::string_view name) const;
    // Keeps `path` (a valid key path) as a key of its own, even one that
    // exists anyway, as a file lists it. Gives its values for changing,
    // valid until a key is removed.
    ValueList& StoreKey(std::string_view path);
    // Stores the value, creating its key, at the end when the name is new;
    // false when it held this already.
    bool SetValue(std::string_view path, std::string_view name, RegistryValue value);
    // Removes the key with every key below it; false when there was none.
    bool DeleteKey(std::string_view path);
    // Removes one value; false when there was none.
    bool DeleteValue(std::string_view path, std::string_view name);
    // Applies every key and value of `changes` to this one; true when that
    // changed anything.
    bool Merge(const RegistryDocument& changes);

    // The keys stored explicitly, in order.
    const KeyList& Keys() const { return keys_; }
    friend bool operator==(const RegistryDocument& a, const RegistryDocument& b) {
        return a.keys_ == b.keys_;
    }

private:
    // Folded byte order, in which the paths below a path follow it together.
    struct PathLess {
        using is_transparent = void;
        static unsigned char Fold(char c) { return static_cast<unsigned char>(LowerAscii(c)); }
        bool operator()(std::string_view a, std::string_view b) const {
            return std::ranges::lexicographical_compare(a, b, std::less{}, Fold, Fold);
        }
    };
    // The stored keys right below a path: their paths as first stored, with
    // those of keys removed since (removing one again does nothing), and how
    // many are still there.
    struct Children {
        std::vector<std::string> paths;
        std::size_t live = 0;
    };
    // Every path right above a stored key.
    using Parents = std::map<std::string, Children, PathLess>;

    KeyList keys_;
    Parents parents_;
};

} // namespace twinvane::platform::posix
