// SPDX-License-Identifier: MIT
#include "platform/Registry.h"

#include "RegistryDocument.h"
#include "RegistryFile.h"

#include <map>
#include <optional>

namespace twinvane::platform {

// Reads come from one snapshot of the file, taken at the first read, so a
// load sees a single save. Changes gather in `pending_`, which also answers
// reads of what this session changed, and reach the file at Commit.
class UserRegistry::Backend {
public:
    static constexpr std::uintptr_t kCurrentUser = 1;

    Backend() : file_(posix::RegistryFile::ForCurrentUser()) {
        handles_.emplace(kCurrentUser, "HKEY_CURRENT_USER");
    }

    std::uintptr_t Open(std::uintptr_t parent, const std::string& sub) {
        const auto path = Resolve(parent, sub);
        if (!path || !(pending_.HasKey(*path) || Snapshot().HasKey(*path))) {
            return 0;
        }
        return Register(*path);
    }

    std::uintptr_t Create(std::uintptr_t parent, const std::string& sub) {
        const auto path = Resolve(parent, sub);
        if (!path) {
            return 0;
        }
        pending_.CreateKey(*path);
        return Register(*path);
    }

    ValueLookup Query(std::uintptr_t handle, const std::string& name, RegistryValue& value) {
        const std::string& path = handles_.at(handle);
        const RegistryValue* found = pending_.FindValue(path, name);
        found = found != nullptr ? found : Snapshot().FindValue(path, name);
        if (found != nullptr) {
            value = *found;
        }
        return found != nullptr ? ValueLookup::Found : ValueLookup::Missing;
    }

    bool Set(std::uintptr_t handle, const std::string& name, std::uint32_t type,
             std::string_view data) {
        if (!posix::IsValidValueName(name)) {
            return false;
        }
        pending_.SetValue(handles_.at(handle), name, RegistryValue{type, std::string(data)});
        return true;
    }

    void Release(std::uintptr_t handle) noexcept { handles_.erase(handle); }

    void Commit() {
        if (pending_.Empty()) {
            return;
        }
        file_.Update(
            [this](posix::RegistryDocument& document) { return document.Merge(pending_); });
        if (snapshot_) {
            snapshot_->Merge(pending_);
        }
        pending_ = {};
    }

private:
    std::optional<std::string> Resolve(std::uintptr_t parent, const std::string& sub) const {
        std::string path = posix::JoinKeyPath(handles_.at(parent), sub);
        return posix::IsValidKeyPath(path) ? std::optional(std::move(path)) : std::nullopt;
    }

    std::uintptr_t Register(const std::string& path) {
        const std::uintptr_t handle = next_++;
        handles_.emplace(handle, path);
        return handle;
    }

    const posix::RegistryDocument& Snapshot() {
        if (!snapshot_) {
            snapshot_ = file_.Load();
        }
        return *snapshot_;
    }

    posix::RegistryFile file_;
    std::optional<posix::RegistryDocument> snapshot_;
    posix::RegistryDocument pending_;
    std::map<std::uintptr_t, std::string> handles_;
    std::uintptr_t next_ = kCurrentUser + 1;
};

UserRegistry::UserRegistry() : backend_(std::make_unique<Backend>()) {}

UserRegistry::~UserRegistry() = default;

RegistryKey UserRegistry::CurrentUser() {
    return RegistryKey(this, Backend::kCurrentUser, false);
}

void UserRegistry::Commit() {
    backend_->Commit();
}

void UserRegistry::Release(std::uintptr_t handle) noexcept {
    backend_->Release(handle);
}

RegistryKey RegistryKey::OpenSubKey(const std::string& path) const {
    if (!IsOpen()) {
        return {};
    }
    const std::uintptr_t handle = registry_->backend_->Open(handle_, path);
    return handle == 0 ? RegistryKey() : RegistryKey(registry_, handle, true);
}

RegistryKey RegistryKey::CreateSubKey(const std::string& path) const {
    if (!IsOpen()) {
        return {};
    }
    const std::uintptr_t handle = registry_->backend_->Create(handle_, path);
    return handle == 0 ? RegistryKey() : RegistryKey(registry_, handle, true);
}

ValueLookup RegistryKey::QueryValue(const std::string& name, RegistryValue& value) const {
    if (!IsOpen()) {
        return ValueLookup::Failed;
    }
    return registry_->backend_->Query(handle_, name, value);
}

bool RegistryKey::SetValue(const std::string& name, std::uint32_t type,
                           std::string_view data) const {
    return IsOpen() && registry_->backend_->Set(handle_, name, type, data);
}

} // namespace twinvane::platform
