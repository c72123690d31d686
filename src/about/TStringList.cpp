// SPDX-License-Identifier: MIT
#include "about/TStringList.h"

#include <utility>

namespace twinvane {

EStringListError::EStringListError(int index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")") {}

int TStringList::Add(std::string text) {
    strings_.push_back(std::move(text));
    return Count() - 1;
}

const std::string& TStringList::Strings(int index) const {
    if (index < 0 || index >= Count()) {
        throw EStringListError(index);
    }
    return strings_[static_cast<std::size_t>(index)];
}

} // namespace twinvane
