// SPDX-License-Identifier: MIT
#include "RegistryDocument.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace twinvane::platform::posix {
namespace {

constexpr std::array<std::string_view, 7> kRootKeys = {
    "hkey_classes_root",   "hkey_current_user", "hkey_local_machine",   "hkey_users",
    "hkey_current_config", "hkey_dyn_data",     "hkey_performance_data"};

// Every Windows profile has it, so a first run finds it as Windows would.
constexpr std::string_view kUserSoftware = "hkey_current_user\\software";

constexpr std::size_t kMaxKeyNameLength = 255;

bool IsRootKey(std::string_view name) {
    return std::any_of(kRootKeys.begin(), kRootKeys.end(),
                       [&](std::string_view root) { return EqualFolded(name, root); });
}

// Where `text` lies, in folded order, against `path` and a "\" after it:
// below 0 before it, 0 at it, above 0 after it.
int CompareWithBelow(std::string_view text, std::string_view path) {
    const std::string_view head = text.substr(0, path.size());
    if (!EqualFolded(head, path)) {
        return FoldedLess{}(head, path) ? -1 : 1;
    }
    if (text.size() == path.size()) {
        return -1;
    }
    const auto next = static_cast<unsigned char>(FoldChar(text[path.size()]));
    if (next != '\\') {
        return next < '\\' ? -1 : 1;
    }
    return text.size() == path.size() + 1 ? 0 : 1;
}

// True when `text` starts with `path` and a "\".
bool IsBelow(std::string_view text, std::string_view path) {
    return text.size() > path.size() && text[path.size()] == '\\' && StartsWithFolded(text, path);
}

} // namespace

bool IsValidKeyPath(std::string_view path) {
    const std::size_t rootEnd = std::min(path.find('\\'), path.size());
    if (!IsRootKey(path.substr(0, rootEnd))) {
        return false;
    }
    // One pass over the parts after the root, however many there are.
    std::size_t partLength = 0;
    for (std::size_t i = rootEnd + 1; i <= path.size(); ++i) {
        const char c = i < path.size() ? path[i] : '\\';
        if (c == '\\') {
            if (partLength == 0 || partLength > kMaxKeyNameLength) {
                return false;
            }
            partLength = 0;
        } else if (c == '\r' || c == '\n' || c == '\0') {
            return false;
        } else {
            ++partLength;
        }
    }
    return true;
}

std::string JoinKeyPath(std::string_view base, std::string_view sub) {
    std::string joined(base);
    if (!sub.empty()) {
        joined += '\\';
        joined += sub;
    }
    return joined;
}

bool RegistryDocument::PathLess::operator()(std::string_view a, Below b) const {
    return CompareWithBelow(a, b.path) < 0;
}

bool RegistryDocument::PathLess::operator()(Below a, std::string_view b) const {
    return CompareWithBelow(b, a.path) > 0;
}

RegistryDocument::RegistryDocument(const RegistryDocument& other) {
    for (const auto& key : other.keys_) {
        Ensure(key.path).values = key.values;
    }
}

// Swapping, unlike moving, is guaranteed to keep the pointers and iterators
// between the members valid.
RegistryDocument::RegistryDocument(RegistryDocument&& other) noexcept {
    keys_.swap(other.keys_);
    std::swap(index_, other.index_);
    parents_.swap(other.parents_);
}

RegistryDocument& RegistryDocument::operator=(RegistryDocument other) noexcept {
    keys_.swap(other.keys_);
    std::swap(index_, other.index_);
    parents_.swap(other.parents_);
    return *this;
}

bool RegistryDocument::HasKey(std::string_view path) const {
    if (IsRootKey(path) || EqualFolded(path, kUserSoftware) || Find(path) != nullptr ||
        parents_.contains(path)) {
        return true;
    }
    const auto next = parents_.lower_bound(Below{path});
    return next != parents_.end() && IsBelow(next->first, path);
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
    if (Key* key = Find(path)) {
        Remove(*key);
        removed = true;
    }
    if (const auto parent = parents_.find(path); parent != parents_.end()) {
        removed = RemoveChildren(parent) || removed;
    }
    for (auto parent = parents_.lower_bound(Below{path});
         parent != parents_.end() && IsBelow(parent->first, path);) {
        removed = RemoveChildren(parent++) || removed;
    }
    return removed;
}

bool RegistryDocument::DeleteValue(std::string_view path, std::string_view name) {
    Key* key = Find(path);
    return key != nullptr && key->values.Erase(name);
}

bool RegistryDocument::Merge(const RegistryDocument& changes) {
    bool changed = false;
    for (const auto& key : changes.keys_) {
        changed = CreateKey(key.path) || changed;
        if (key.values.empty()) {
            continue; // a key that exists only above others stays so
        }
        ValueList& values = Ensure(key.path).values;
        for (const auto& entry : key.values) {
            changed = values.Set(entry.name, RegistryValue(entry.value)) || changed;
        }
    }
    return changed;
}

std::uint32_t RegistryDocument::Hash(std::string_view path) {
    return static_cast<std::uint32_t>(HashFolded(path));
}

// Const, as the index holds iterators that give the keys for changing.
RegistryDocument::Key* RegistryDocument::Find(std::string_view path) const {
    const auto* found = index_.Find(
        Hash(path), [&](std::list<Key>::iterator key) { return EqualFolded(key->path, path); });
    return found == nullptr ? nullptr : &**found;
}

RegistryDocument::Key& RegistryDocument::Ensure(std::string_view path) {
    const std::uint32_t hash = Hash(path);
    const auto matches = [&](std::list<Key>::iterator key) {
        return EqualFolded(key->path, path);
    };
    const auto make = [&] {
        const auto key = keys_.emplace(keys_.end());
        try {
            key->path = path;
            key->hash_ = hash;
            Link(*key);
        } catch (...) {
            keys_.erase(key);
            throw;
        }
        return key;
    };
    return **index_.FindOrInsert(hash, matches, make).first;
}

void RegistryDocument::Link(Key& key) {
    const std::size_t cut = key.path.rfind('\\');
    if (cut == std::string::npos) {
        return; // a root key
    }
    const std::string_view parentPath = std::string_view(key.path).substr(0, cut);
    auto parent = parents_.find(parentPath);
    if (parent == parents_.end()) {
        parent = parents_.emplace(parentPath, Children{}).first;
    }
    key.hasParent_ = true;
    key.parent_ = parent;
    key.next_ = parent->second.first;
    if (key.next_ != nullptr) {
        key.next_->previous_ = &key;
    }
    parent->second.first = &key;
}

void RegistryDocument::Unlink(Key& key) {
    if (!key.hasParent_) {
        return;
    }
    Children& siblings = key.parent_->second;
    (key.previous_ != nullptr ? key.previous_->next_ : siblings.first) = key.next_;
    if (key.next_ != nullptr) {
        key.next_->previous_ = key.previous_;
    }
    if (siblings.first == nullptr) {
        parents_.erase(key.parent_);
    }
    key.hasParent_ = false;
}

void RegistryDocument::Remove(Key& key) {
    Unlink(key);
    keys_.erase(index_.Take(
        key.hash_, [&](std::list<Key>::iterator candidate) { return &*candidate == &key; }));
}

// Removes every key whose parent `parent` is; the parent goes with the last
// of them. Returns true, as a parent always has a key below it.
bool RegistryDocument::RemoveChildren(Parents::iterator parent) {
    for (Key* child = parent->second.first; child != nullptr;) {
        Key* next = child->next_;
        Remove(*child);
        child = next;
    }
    return true;
}

} // namespace twinvane::platform::posix
