// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Exception.h"

#include <string>
#include <vector>

namespace twinvane {

// Reading a position that a list does not have: "List index out of bounds (5)".
class EStringListError : public Exception {
public:
    explicit EStringListError(int index);
};

// An ordered list of 8-bit strings, indexed from 0 and kept in the order the
// entries were added; it never sorts. Positions are int, as the callers'
// position arithmetic is, so that a negative position reports itself.
class TStringList {
public:
    int Count() const noexcept { return static_cast<int>(strings_.size()); }

    // Appends `text` at the end; returns its position.
    int Add(std::string text);

    void Clear() noexcept { strings_.clear(); }

    // The entry at `index`; raises EStringListError when there is none.
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }

    auto begin() const noexcept { return strings_.begin(); }
    auto end() const noexcept { return strings_.end(); }

    friend bool operator==(const TStringList&, const TStringList&) = default;

private:
    std::vector<std::string> strings_;
};

} // namespace twinvane
