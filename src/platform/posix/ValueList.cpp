// SPDX-License-Identifier: MIT
#include "ValueList.h"

#include <algorithm>
#include <utility>

namespace twinvane::platform::posix {

ValueList::ValueList(const ValueList& other)
    : table_(other.empty() ? nullptr : std::make_unique<ValueTable>(*other.table_)) {}

ValueList& ValueList::operator=(const ValueList& other) {
    ValueList copy(other);
    std::swap(table_, copy.table_);
    return *this;
}

bool ValueList::Set(std::string_view name, RegistryValue&& value) {
    if (table_ == nullptr) {
        table_ = std::make_unique<ValueTable>();
    }
    return table_->Set(name, std::move(value));
}

void ValueList::Add(std::string_view name, RegistryValue&& value) {
    if (table_ == nullptr) {
        table_ = std::make_unique<ValueTable>();
    }
    table_->Add(name, std::move(value));
}

bool ValueList::Erase(std::string_view name) {
    if (table_ == nullptr || !table_->Erase(name)) {
        return false;
    }
    if (table_->empty()) {
        table_.reset();
    }
    return true;
}

bool operator==(const ValueList& a, const ValueList& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

} // namespace twinvane::platform::posix
