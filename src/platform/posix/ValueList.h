// SPDX-License-Identifier: MIT
#pragma once

#include "ValueTable.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace twinvane::platform::posix {

// The values of one key, in the order they were first stored, found by name
// ignoring case (the spelling first stored is kept), at the costs of a
// ValueTable. A key without values, as the keys above others often are,
// holds no table: a pointer is all it costs.
class ValueList {
public:
    using Iterator = ValueTable::Iterator;

    ValueList() = default;
    ValueList(const ValueList& other);
    ValueList(ValueList&& other) noexcept = default;
    ValueList& operator=(const ValueList& other);
    ValueList& operator=(ValueList&& other) noexcept = default;
    ~ValueList() = default;

    // The value `name`, or null.
    const RegistryValue* Find(std::string_view name) const {
        return table_ == nullptr ? nullptr : table_->Find(name);
    }

    // Stores the value, at the end when the name is new; false when it held
    // this already.
    bool Set(std::string_view name, RegistryValue&& value);

    // Removes the value `name`; false when there was none.
    bool Erase(std::string_view name);

    // As ValueTable::Add and ValueTable::Settle: the list must be settled
    // before it is read.
    void Add(std::string_view name, RegistryValue&& value);
    void Settle() {
        if (table_ != nullptr) {
            table_->Settle();
        }
    }

    std::size_t size() const { return table_ == nullptr ? 0 : table_->size(); }
    bool empty() const { return size() == 0; }
    Iterator begin() const { return table_ == nullptr ? Iterator() : table_->begin(); }
    Iterator end() const { return table_ == nullptr ? Iterator() : table_->end(); }
    const NamedValue& front() const { return *begin(); }

    friend bool operator==(const ValueList& a, const ValueList& b);

private:
    std::unique_ptr<ValueTable> table_; // null while the key holds no value
};

} // namespace twinvane::platform::posix
