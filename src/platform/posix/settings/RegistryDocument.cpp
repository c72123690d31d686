// SPDX-License-Identifier: MIT
#include "RegistryDocument.h"

#include <absl/hash/hash.h>

#include <algorithm>
#include <array>

namespace twinvane::platform::posix {
namespace {

constexpr std::array<std::string_view, 7> kRootKeys = { // as files spell them, most used first
    "HKEY_CURRENT_USER",   "HKEY_CLASSES_ROOT", "HKEY_LOCAL_MACHINE",   "HKEY_USERS",
    "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",     "HKEY_PERFORMANCE_DATA"};

// Every Windows profile has it, so a first run finds it as Windows would.
constexpr std::string_view kUserSoftware = "hkey_current_user\\software";

constexpr std::size_t kMaxKeyNameLength = 255;

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    return EqualFolded(text.substr(0, prefix.size()), prefix);
}

bool IsRootKey(std::string_view name) {
    return std::ranges::any_of(kRootKeys, [&](auto root) { return EqualFolded(name, root); });
}

} // namespace

std::uint32_t HashFolded(std::string_view text) {
    // Folded into a copy only when it holds capitals: the copy costs more
    // than the hash. On the stack for the names most files hold.
    std::array<char, 64> small; // NOLINT: filled before it is read
    std::string large;
    if (std::ranges::any_of(text, [](char c) { return c != LowerAscii(c); })) {
        char* folded = text.size() > small.size() ? (large = text).data() : small.data();
        std::ranges::transform(text, folded, [](char c) { return LowerAscii(c); });
        text = {folded, text.size()};
    }
    // Through absl::string_view, which this Abseil hashes itself: it would
    // hand a std::string_view to the unseeded std::hash.
    return static_cast<std::uint32_t>(
        absl::Hash<absl::string_view>{}(absl::string_view(text.data(), text.size())));
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

bool RegistryDocument::HasKey(std::string_view path) const {
    if (IsRootKey(path) || EqualFolded(path, kUserSoftware) || keys_.Find(path) != nullptr ||
        parents_.contains(path)) {
        return true;
    }
    // A stored key further below has a parent that starts with `path\`.
    const std::string below = std::string(path) + '\\';
    const auto next = parents_.lower_bound(below);
    return next != parents_.end() && StartsWithFolded(next->first, below);
}

bool RegistryDocument::CreateKey(std::string_view path) {
    if (HasKey(path)) {
        return false;
    }
    StoreKey(path);
    return true;
}

const RegistryValue* RegistryDocument::FindValue(std::string_view path,
                                                 std::string_view name) const {
    const Key* key = keys_.Find(path);
    const NamedValue* entry = key == nullptr ? nullptr : key->values.Find(name);
    return entry == nullptr ? nullptr : &entry->value;
}

ValueList& RegistryDocument::StoreKey(std::string_view path) {
    const auto [key, added] = keys_.Ensure(path);
    const std::size_t cut = path.rfind('\\');
    if (added && cut != std::string_view::npos) {
        auto parent = parents_.find(path.substr(0, cut));
        try { // either step changes nothing when it fails
            if (parent == parents_.end()) {
                Children children; // the path copied once: it may be long
                children.paths.emplace_back(path);
                parent = parents_.emplace(path.substr(0, cut), std::move(children)).first;
            } else {
                parent->second.paths.emplace_back(path);
            }
        } catch (...) {
            keys_.Erase(path);
            throw;
        }
        ++parent->second.live;
    }
    return key.values;
}

bool RegistryDocument::SetValue(std::string_view path, std::string_view name, RegistryValue value) {
    auto [entry, added] = StoreKey(path).Ensure(name);
    const bool changed = added || entry.value != value;
    entry.value = std::move(value);
    return changed;
}

bool RegistryDocument::DeleteKey(std::string_view path) {
    bool removed = keys_.Erase(path);
    if (const std::size_t cut = path.rfind('\\'); removed && cut != std::string_view::npos) {
        const auto above = parents_.find(path.substr(0, cut));
        if (above != parents_.end() && --above->second.live == 0) {
            parents_.erase(above);
        }
    }
    const auto removeChildren = [&](Parents::iterator at) {
        for (const std::string& child : at->second.paths) {
            keys_.Erase(child);
        }
        removed = true;
        return parents_.erase(at);
    };
    if (const auto same = parents_.find(path); same != parents_.end()) {
        removeChildren(same);
    }
    // Not always next to it: "a b" sorts between "a" and "a\b".
    const std::string below = std::string(path) + '\\';
    for (auto parent = parents_.lower_bound(below);
         parent != parents_.end() && StartsWithFolded(parent->first, below);) {
        parent = removeChildren(parent);
    }
    return removed;
}

bool RegistryDocument::DeleteValue(std::string_view path, std::string_view name) {
    Key* key = keys_.Find(path);
    return key != nullptr && key->values.Erase(name);
}

bool RegistryDocument::Merge(const RegistryDocument& changes) {
    bool changed = false;
    for (const Key& key : changes.keys_) {
        changed = CreateKey(key.path) || changed; // a key only above others stays so
        for (const NamedValue& entry : key.values) {
            changed = SetValue(key.path, entry.name, entry.value) || changed;
        }
    }
    return changed;
}

} // namespace twinvane::platform::posix
