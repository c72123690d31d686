// SPDX-License-Identifier: MIT
#include "ValueList.h"

#include "CaseFold.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace twinvane::platform::posix {

ValueList::Iterator::Iterator(const ValueList* list, std::size_t position)
    : list_(list), position_(position) {
    while (position_ < list_->stored_ && !list_->IsLive(position_)) {
        ++position_;
    }
}

ValueList::Iterator& ValueList::Iterator::operator++() {
    *this = Iterator(list_, position_ + 1);
    return *this;
}

const RegistryValue* ValueList::Find(std::string_view name) const {
    const std::size_t position = Position(name, Hash(name));
    return position == kNone ? nullptr : &At(position).value;
}

bool ValueList::Set(std::string_view name, RegistryValue value) {
    const std::uint32_t hash = Hash(name);
    const std::size_t position = Position(name, hash);
    if (position == kNone) {
        Append({std::string(name), std::move(value)}, hash);
        return true;
    }
    RegistryValue& stored = At(position).value;
    if (stored == value) {
        return false;
    }
    stored = std::move(value);
    return true;
}

bool ValueList::Erase(std::string_view name) {
    const std::uint32_t hash = Hash(name);
    const std::size_t position = Position(name, hash);
    if (position == kNone) {
        return false;
    }
    if (indexed_) {
        index_.Take(hash, [&](std::uint32_t handle) { return handle == position; });
    }
    At(position) = {};
    if (removed_.empty()) {
        removed_.resize(stored_);
    }
    removed_[position] = true;
    --live_;
    if (stored_ - live_ > live_) {
        Sweep();
    }
    return true;
}

bool operator==(const ValueList& a, const ValueList& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

std::uint32_t ValueList::Hash(std::string_view name) {
    return static_cast<std::uint32_t>(HashFolded(name));
}

std::size_t ValueList::Position(std::string_view name, std::uint32_t hash) const {
    if (!indexed_) {
        for (std::size_t position = 0; position < stored_; ++position) {
            if (IsLive(position) && EqualFolded(At(position).name, name)) {
                return position;
            }
        }
        return kNone;
    }
    const std::uint32_t* found = index_.Find(
        hash, [&](std::uint32_t position) { return EqualFolded(At(position).name, name); });
    return found == nullptr ? kNone : *found;
}

void ValueList::Append(NamedValue entry, std::uint32_t hash) {
    // The index holds positions in 32 bits.
    if (stored_ >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many values in one registry key");
    }
    if (blocks_.empty() || blocks_.back().size() == kBlockSize) {
        blocks_.emplace_back();
        if (blocks_.size() > 1) {
            blocks_.back().reserve(kBlockSize);
        }
    }
    blocks_.back().push_back(std::move(entry));
    const std::size_t position = stored_++;
    ++live_;
    try {
        if (!removed_.empty()) {
            removed_.push_back(false);
        }
        if (indexed_) {
            index_.Insert(hash, static_cast<std::uint32_t>(position));
        } else if (live_ > kIndexFrom) {
            Reindex();
        }
    } catch (...) {
        // A value the index does not know would be stored twice later.
        removed_.resize(removed_.empty() ? 0 : position);
        --stored_;
        --live_;
        blocks_.back().pop_back();
        throw;
    }
}

void ValueList::Reindex() {
    FoldedIndex<std::uint32_t> index;
    const bool indexed = live_ > kIndexFrom;
    for (std::size_t position = 0; indexed && position < stored_; ++position) {
        if (IsLive(position)) {
            index.Insert(Hash(At(position).name), static_cast<std::uint32_t>(position));
        }
    }
    index_ = std::move(index);
    indexed_ = indexed;
}

void ValueList::Sweep() {
    index_.Clear(); // its positions are about to change
    indexed_ = false;
    std::size_t kept = 0;
    for (std::size_t position = 0; position < stored_; ++position) {
        if (IsLive(position)) {
            if (position != kept) {
                At(kept) = std::move(At(position));
            }
            ++kept;
        }
    }
    blocks_.resize((kept + kBlockSize - 1) / kBlockSize);
    if (!blocks_.empty()) {
        blocks_.back().resize(kept - (blocks_.size() - 1) * kBlockSize);
    }
    removed_.clear();
    stored_ = kept;
    live_ = kept;
    Reindex();
}

} // namespace twinvane::platform::posix
