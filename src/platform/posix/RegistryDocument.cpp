// SPDX-License-Identifier: MIT
#include "RegistryDocument.h"

#include <algorithm>
#include <array>

namespace twinvane::platform::posix {
namespace {

constexpr std::array<std::string_view, 7> kRootKeys = {
    "hkey_classes_root",   "hkey_current_user", "hkey_local_machine",   "hkey_users",
    "hkey_current_config", "hkey_dyn_data",     "hkey_performance_data"};

// Every Windows profile has it, so a first run finds it as Windows would.
constexpr std::string_view kUserSoftware = "hkey_current_user\\software";

constexpr std::size_t kMaxKeyNameLength = 255;

bool IsRootKey(std::string_view folded) {
    return std::find(kRootKeys.begin(), kRootKeys.end(), folded) != kRootKeys.end();
}

bool HasLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

bool IsValidKeyPath(std::string_view path) {
    const std::size_t rootEnd = path.find('\\');
    if (!IsRootKey(FoldCase(path.substr(0, rootEnd)))) {
        return false;
    }
    std::size_t start = rootEnd;
    while (start != std::string_view::npos) {
        ++start;
        const std::size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part.size() > kMaxKeyNameLength || HasLineBreakOrZero(part)) {
            return false;
        }
        start = end;
    }
    return true;
}

bool IsValidValueName(std::string_view name) {
    return !HasLineBreakOrZero(name);
}

std::string JoinKeyPath(std::string_view base, std::string_view sub) {
    std::string joined(base);
    if (!sub.empty()) {
        joined += '\\';
        joined += sub;
    }
    return joined;
}

bool RegistryDocument::HasKey(std::string_view path) const {
    const std::string folded = FoldCase(path);
    return IsRootKey(folded) || folded == kUserSoftware || index_.contains(folded) ||
           ancestors_.contains(folded);
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
    if (key == nullptr) {
        return nullptr;
    }
    const std::string folded = FoldCase(name);
    for (const auto& entry : key->values) {
        if (FoldCase(entry.name) == folded) {
            return &entry.value;
        }
    }
    return nullptr;
}

bool RegistryDocument::SetValue(std::string_view path, std::string_view name,
                                const RegistryValue& value) {
    Key& key = Ensure(path);
    const std::string folded = FoldCase(name);
    for (auto& entry : key.values) {
        if (FoldCase(entry.name) == folded) {
            if (entry.value == value) {
                return false;
            }
            entry.value = value;
            return true;
        }
    }
    key.values.push_back({std::string(name), value});
    return true;
}

bool RegistryDocument::DeleteKey(std::string_view path) {
    const std::string folded = FoldCase(path);
    const std::string below = folded + '\\';
    const auto removed = std::erase_if(keys_, [&](const Key& key) {
        const std::string keyFolded = FoldCase(key.path);
        return keyFolded == folded || keyFolded.starts_with(below);
    });
    Reindex();
    return removed > 0;
}

bool RegistryDocument::DeleteValue(std::string_view path, std::string_view name) {
    Key* key = Find(path);
    if (key == nullptr) {
        return false;
    }
    const std::string folded = FoldCase(name);
    return std::erase_if(key->values, [&](const NamedValue& entry) {
               return FoldCase(entry.name) == folded;
           }) > 0;
}

bool RegistryDocument::Merge(const RegistryDocument& changes) {
    bool changed = false;
    for (const auto& key : changes.keys_) {
        changed = CreateKey(key.path) || changed;
        for (const auto& entry : key.values) {
            changed = SetValue(key.path, entry.name, entry.value) || changed;
        }
    }
    return changed;
}

RegistryDocument::Key* RegistryDocument::Find(std::string_view path) {
    const auto found = index_.find(FoldCase(path));
    return found == index_.end() ? nullptr : &keys_[found->second];
}

const RegistryDocument::Key* RegistryDocument::Find(std::string_view path) const {
    const auto found = index_.find(FoldCase(path));
    return found == index_.end() ? nullptr : &keys_[found->second];
}

RegistryDocument::Key& RegistryDocument::Ensure(std::string_view path) {
    if (Key* key = Find(path)) {
        return *key;
    }
    const std::string folded = FoldCase(path);
    index_.emplace(folded, keys_.size());
    for (std::size_t cut = folded.rfind('\\'); cut != std::string::npos;
         cut = folded.rfind('\\', cut - 1)) {
        ancestors_.insert(folded.substr(0, cut));
        if (cut == 0) {
            break;
        }
    }
    keys_.push_back({std::string(path), {}});
    return keys_.back();
}

void RegistryDocument::Reindex() {
    std::vector<Key> keys = std::move(keys_);
    keys_.clear();
    index_.clear();
    ancestors_.clear();
    for (auto& key : keys) {
        Ensure(key.path).values = std::move(key.values);
    }
}

} // namespace twinvane::platform::posix
