// SPDX-License-Identifier: MIT
#include "platform/Registry.h"

#include "RegistryDocument.h"
#include "RegistryFile.h"

#include <map>
#include <optional>

namespace twinvane::platform {

// Reads come from one snapshot of the file, taken at the first read, so a
// load sees a single save. Changes gather in `pending`, which also answers
// reads of what this session changed, and reach the file at Commit.
class UserRegistry::Backend {
public:
    static constexpr std::uintptr_t kCurrentUser = 1;

    const posix::RegistryDocument& Snapshot() {
        if (!snapshot) {
            snapshot = file.Load();
        }
        return *snapshot;
    }

    // A handle of the key `sub` below the key `parent`, created first when
    // `create` is set; 0 when the name is not valid or there is no such key.
    std::uintptr_t Open(std::uintptr_t parent, const std::string& sub, bool create) {
        std::string path = handles.at(parent) + (sub.empty() ? "" : "\\" + sub);
        if (!posix::IsValidKeyPath(path)) {
            return 0;
        }
        if (create) {
            pending.CreateKey(path);
        } else if (!pending.HasKey(path) && !Snapshot().HasKey(path)) {
            return 0;
        }
        handles.emplace(next, std::move(path));
        return next++;
    }

    posix::RegistryFile file = posix::RegistryFile::ForCurrentUser();
    std::optional<posix::RegistryDocument> snapshot;
    posix::RegistryDocument pending;
    std::map<std::uintptr_t, std::string> handles{{kCurrentUser, "HKEY_CURRENT_USER"}};
    std::uintptr_t next = kCurrentUser + 1;
};

UserRegistry::UserRegistry() : backend_(std::make_unique<Backend>()) {}

UserRegistry::~UserRegistry() = default;

RegistryKey UserRegistry::CurrentUser() {
    return RegistryKey(this, Backend::kCurrentUser, false);
}

void UserRegistry::Commit() {
    Backend& backend = *backend_;
    if (backend.pending.Keys().empty()) {
        return;
    }
    backend.file.Update(
        [&](posix::RegistryDocument& document) { return document.Merge(backend.pending); });
    if (backend.snapshot) {
        backend.snapshot->Merge(backend.pending);
    }
    backend.pending = {};
}

void UserRegistry::Release(std::uintptr_t handle) noexcept {
    backend_->handles.erase(handle);
}

RegistryKey RegistryKey::OpenSubKey(const std::string& path) const {
    const std::uintptr_t handle = IsOpen() ? registry_->backend_->Open(handle_, path, false) : 0;
    return handle == 0 ? RegistryKey() : RegistryKey(registry_, handle, true);
}

RegistryKey RegistryKey::CreateSubKey(const std::string& path) const {
    const std::uintptr_t handle = IsOpen() ? registry_->backend_->Open(handle_, path, true) : 0;
    return handle == 0 ? RegistryKey() : RegistryKey(registry_, handle, true);
}

ValueLookup RegistryKey::QueryValue(const std::string& name, RegistryValue& value) const {
    if (!IsOpen()) {
        return ValueLookup::Failed;
    }
    auto& backend = *registry_->backend_;
    const std::string& path = backend.handles.at(handle_);
    const RegistryValue* found = backend.pending.FindValue(path, name);
    found = found != nullptr ? found : backend.Snapshot().FindValue(path, name);
    if (found != nullptr) {
        value = *found;
    }
    return found != nullptr ? ValueLookup::Found : ValueLookup::Missing;
}

bool RegistryKey::SetValue(const std::string& name, std::uint32_t type,
                           std::string_view data) const {
    if (!IsOpen() || !posix::IsValidValueName(name)) {
        return false;
    }
    auto& backend = *registry_->backend_;
    backend.pending.SetValue(backend.handles.at(handle_), name, {type, std::string(data)});
    return true;
}

} // namespace twinvane::platform
