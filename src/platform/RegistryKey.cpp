// SPDX-License-Identifier: MIT
#include "Registry.h"

#include <utility>

namespace twinvane::platform {

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : registry_(std::exchange(other.registry_, nullptr)), handle_(std::exchange(other.handle_, 0)),
      owned_(std::exchange(other.owned_, false)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        registry_ = std::exchange(other.registry_, nullptr);
        handle_ = std::exchange(other.handle_, 0);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

RegistryKey::~RegistryKey() {
    Close();
}

void RegistryKey::Close() noexcept {
    if (registry_ != nullptr && owned_) {
        registry_->Release(handle_);
    }
    registry_ = nullptr;
    handle_ = 0;
    owned_ = false;
}

} // namespace twinvane::platform
