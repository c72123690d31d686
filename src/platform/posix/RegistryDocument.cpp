// SPDX-License-Identifier: MIT
#include "RegistryDocument.h"

#include "platform/AsciiText.h"

#include <absl/hash/hash.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace twinvane::platform::posix {
namespace {

constexpr std::array<std::string_view, 7> kRootKeys = {
    "hkey_classes_root",   "hkey_current_user", "hkey_local_machine",   "hkey_users",
    "hkey_current_config", "hkey_dyn_data",     "hkey_performance_data"};

// Every Windows profile has it, so a first run finds it as Windows would.
constexpr std::string_view kUserSoftware = "hkey_current_user\\software";

constexpr std::size_t kMaxKeyNameLength = 255;

// Names in one file mostly share their spelling: bytes as they are first.
bool EqualFolded(std::string_view a, std::string_view b) {
    return a == b || std::equal(a.begin(), a.end(), b.begin(), b.end(),
                                [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    return EqualFolded(text.substr(0, prefix.size()), prefix);
}

// Abseil's hash of the folded text, seeded per process. Through
// absl::string_view, which this Abseil hashes itself: it would hand a
// std::string_view to the unseeded std::hash.
struct Folded {
    std::string_view text;

    template <class H> friend H AbslHashValue(H state, const Folded& folded) {
        // A piece at a time, as a key path may be as long as the file.
        std::array<char, 64> piece; // NOLINT: filled before it is read
        for (std::size_t at = 0; at < folded.text.size(); at += piece.size()) {
            const std::string_view part = folded.text.substr(at, piece.size());
            std::transform(part.begin(), part.end(), piece.begin(),
                           [](char c) { return LowerAscii(c); });
            state = H::combine(std::move(state), absl::string_view(piece.data(), part.size()));
        }
        return H::combine(std::move(state), folded.text.size());
    }
};

std::size_t HashFolded(std::string_view text) {
    return absl::Hash<Folded>{}(Folded{text});
}

bool IsRootKey(std::string_view name) {
    return std::any_of(kRootKeys.begin(), kRootKeys.end(),
                       [&](std::string_view root) { return EqualFolded(name, root); });
}

} // namespace

std::string FoldCase(std::string_view text) {
    return LowerAscii(text);
}

bool IsValidKeyPath(std::string_view path) {
    const std::size_t rootEnd = std::min(path.find('\\'), path.size());
    // One pass over the parts after the root, however many there are.
    for (std::size_t i = rootEnd + 1, start = i; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (i == start || i - start > kMaxKeyNameLength) {
                return false;
            }
            start = i + 1;
        }
    }
    return IsRootKey(path.substr(0, rootEnd)) && IsValidValueName(path);
}

std::string JoinKeyPath(std::string_view base, std::string_view sub) {
    return sub.empty() ? std::string(base) : std::string(base) + '\\' + std::string(sub);
}

struct ValueList::Table {
    // A value's place in `values` and the hash of its folded name, kept so
    // that growing the index reads no value.
    struct Slot {
        std::uint32_t position;
        std::uint32_t hash;
    };
    struct Probe {
        std::string_view name;
        std::uint32_t hash;
    };
    struct SlotHash {
        using is_transparent = void;
        std::size_t operator()(const auto& key) const { return key.hash; }
    };
    struct SlotEqual {
        using is_transparent = void;
        bool operator()(const Slot& a, const Slot& b) const {
            return (*this)(a, Probe{Name(b), b.hash});
        }
        bool operator()(const Probe& a, const Slot& b) const { return (*this)(b, a); }
        bool operator()(const Slot& a, const Probe& b) const {
            return a.hash == b.hash && EqualFolded(Name(a), b.name);
        }
        std::string_view Name(const Slot& slot) const { return (*values)[slot.position].name; }
        const std::deque<NamedValue>* values;
    };

    Table() = default;
    Table(const Table&) = delete; // the index points at the values
    Table& operator=(const Table&) = delete;

    static Probe For(std::string_view name) {
        return {name, static_cast<std::uint32_t>(HashFolded(name))};
    }
    bool IsLive(std::size_t position) const {
        return position >= removed.size() || !removed[position];
    }

    std::deque<NamedValue> values; // in the order first stored, with gaps
    std::vector<bool> removed;     // by position, up to the last removal
    absl::flat_hash_set<Slot, SlotHash, SlotEqual> index{0, SlotHash{}, SlotEqual{&values}};
};

ValueList::Iterator::Iterator(const Table* table, std::size_t position)
    : table_(table), position_(position) {
    while (table_ != nullptr && position_ < table_->values.size() && !table_->IsLive(position_)) {
        ++position_;
    }
}

ValueList::Iterator::reference ValueList::Iterator::operator*() const {
    return table_->values[position_];
}

ValueList::Iterator& ValueList::Iterator::operator++() {
    return *this = Iterator(table_, position_ + 1);
}

ValueList::ValueList(const ValueList& other) {
    for (const NamedValue& entry : other) {
        Set(entry.name, RegistryValue(entry.value));
    }
}

ValueList::~ValueList() = default;

const RegistryValue* ValueList::Find(std::string_view name) const {
    if (table_ == nullptr) {
        return nullptr;
    }
    const auto found = table_->index.find(Table::For(name));
    return found == table_->index.end() ? nullptr : &table_->values[found->position].value;
}

bool ValueList::Set(std::string_view name, RegistryValue&& value) {
    if (table_ == nullptr) {
        table_ = std::make_unique<Table>();
    }
    Table& table = *table_;
    // Placed first, so that one probe of the index finds the name or takes it.
    const std::uint32_t hash = Table::For(name).hash;
    table.values.push_back({std::string(name), std::move(value)});
    std::pair<decltype(table.index)::iterator, bool> placed;
    try {
        placed = table.index.insert({static_cast<std::uint32_t>(table.values.size() - 1), hash});
    } catch (...) {
        table.values.pop_back();
        throw;
    }
    if (placed.second) {
        return true;
    }
    RegistryValue& stored = table.values[placed.first->position].value;
    const bool changed = stored != table.values.back().value;
    if (changed) {
        stored = std::move(table.values.back().value);
    }
    table.values.pop_back();
    return changed;
}

bool ValueList::Erase(std::string_view name) {
    if (table_ == nullptr) {
        return false;
    }
    Table& table = *table_;
    const auto found = table.index.find(Table::For(name));
    if (found == table.index.end()) {
        return false;
    }
    const std::size_t position = found->position;
    table.removed.resize(std::max(table.removed.size(), position + 1));
    table.removed[position] = true;
    table.index.erase(found);
    table.values[position] = {}; // its memory goes now, its place at the next sweep
    if (table.index.empty()) {
        table_.reset();
    } else if (table.index.size() < table.values.size() / 2) {
        *this = ValueList(*this);
    }
    return true;
}

std::size_t ValueList::size() const {
    return table_ == nullptr ? 0 : table_->index.size();
}

ValueList::Iterator ValueList::end() const {
    return {table_.get(), table_ == nullptr ? 0 : table_->values.size()};
}

bool RegistryDocument::NameEqual::operator()(const Name& a, const Name& b) const {
    return a.hash == b.hash && EqualFolded(a.text, b.text);
}

bool RegistryDocument::PathLess::operator()(std::string_view a, std::string_view b) const {
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(), [](char p, char q) {
        return LowerAscii(p) == LowerAscii(q);
    });
    return y != b.end() && (x == a.end() || static_cast<unsigned char>(LowerAscii(*x)) <
                                                static_cast<unsigned char>(LowerAscii(*y)));
}

RegistryDocument::RegistryDocument(const RegistryDocument& other) {
    for (const Key& key : other.keys_) {
        Ensure(key.path).values = key.values;
    }
}

void RegistryDocument::Swap(RegistryDocument& other) noexcept {
    keys_.swap(other.keys_);
    index_.swap(other.index_);
    parents_.swap(other.parents_);
}

bool RegistryDocument::HasKey(std::string_view path) const {
    if (IsRootKey(path) || EqualFolded(path, kUserSoftware) || Find(path) != nullptr ||
        parents_.contains(path)) {
        return true;
    }
    const std::string below = std::string(path) + '\\';
    const auto next = parents_.lower_bound(below);
    return next != parents_.end() && StartsWithFolded(next->first, below);
}

bool RegistryDocument::CreateKey(std::string_view path) {
    if (HasKey(path)) {
        return false;
    }
    Ensure(path);
    return true;
}

const RegistryValue* RegistryDocument::FindValue(std::string_view path,
                                                 std::string_view name) const {
    const Key* key = Find(path);
    return key == nullptr ? nullptr : key->values.Find(name);
}

bool RegistryDocument::SetValue(std::string_view path, std::string_view name, RegistryValue value) {
    return Ensure(path).values.Set(name, std::move(value));
}

bool RegistryDocument::DeleteKey(std::string_view path) {
    bool removed = false;
    if (const auto found = index_.find({path, HashFolded(path)}); found != index_.end()) {
        Unlink(*found->second);
        Drop(found);
        removed = true;
    }
    // The paths at or below `path` start with it: mostly there are none.
    auto parent = parents_.lower_bound(path);
    if (parent != parents_.end() && EqualFolded(parent->first, path)) {
        RemoveChildren(parent);
        removed = true;
    }
    const std::string below = std::string(path) + '\\';
    for (parent = parents_.lower_bound(below);
         parent != parents_.end() && StartsWithFolded(parent->first, below);) {
        parent = RemoveChildren(parent);
        removed = true;
    }
    return removed;
}

bool RegistryDocument::DeleteValue(std::string_view path, std::string_view name) {
    Key* key = Find(path);
    return key != nullptr && key->values.Erase(name);
}

bool RegistryDocument::Merge(const RegistryDocument& changes) {
    bool changed = false;
    for (const Key& key : changes.keys_) {
        changed = CreateKey(key.path) || changed;
        if (key.values.empty()) {
            continue; // a key that exists only above others stays so
        }
        ValueList& values = Ensure(key.path).values;
        for (const NamedValue& entry : key.values) {
            changed = values.Set(entry.name, RegistryValue(entry.value)) || changed;
        }
    }
    return changed;
}

// Const, as the index holds iterators that give the keys for changing.
RegistryDocument::Key* RegistryDocument::Find(std::string_view path) const {
    const auto found = index_.find({path, HashFolded(path)});
    return found == index_.end() ? nullptr : &*found->second;
}

RegistryDocument::Key& RegistryDocument::Ensure(std::string_view path) {
    const std::size_t hash = HashFolded(path);
    if (const auto found = index_.find({path, hash}); found != index_.end()) {
        return *found->second;
    }
    const auto key = keys_.insert(keys_.end(), Key{std::string(path), {}});
    try {
        index_.emplace(Name{key->path, hash}, key);
        if (const std::size_t cut = path.rfind('\\'); cut != std::string_view::npos) {
            auto parent = parents_.find(path.substr(0, cut));
            if (parent == parents_.end()) {
                parent = parents_.emplace(path.substr(0, cut), Parents::mapped_type()).first;
            }
            parent->second.insert(&*key);
        }
    } catch (...) {
        Unlink(*key);
        index_.erase(Name{key->path, hash});
        keys_.erase(key);
        throw;
    }
    return *key;
}

// Takes `key` out of the keys right below its parent path.
void RegistryDocument::Unlink(Key& key) {
    const std::size_t cut = key.path.rfind('\\');
    const auto parent = cut == std::string::npos
                            ? parents_.end()
                            : parents_.find(std::string_view(key.path).substr(0, cut));
    if (parent != parents_.end()) {
        parent->second.erase(&key);
        if (parent->second.empty()) {
            parents_.erase(parent);
        }
    }
}

// Takes a key out of the index and the list, where it ends.
void RegistryDocument::Drop(Index::iterator found) {
    const auto node = found->second;
    index_.erase(found);
    keys_.erase(node);
}

// Removes the keys right below `parent`, and its entry; gives the next.
RegistryDocument::Parents::iterator RegistryDocument::RemoveChildren(Parents::iterator parent) {
    for (const Key* child : parent->second) {
        Drop(index_.find({child->path, HashFolded(child->path)}));
    }
    return parents_.erase(parent);
}

} // namespace twinvane::platform::posix
