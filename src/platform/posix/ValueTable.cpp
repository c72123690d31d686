// SPDX-License-Identifier: MIT
#include "ValueTable.h"

#include "CaseFold.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace twinvane::platform::posix {

ValueTable::Iterator::Iterator(const ValueTable* table, std::size_t position)
    : table_(table), position_(position) {
    while (position_ < table_->stored_ && !table_->IsLive(position_)) {
        ++position_;
    }
}

ValueTable::Iterator& ValueTable::Iterator::operator++() {
    *this = Iterator(table_, position_ + 1);
    return *this;
}

const RegistryValue* ValueTable::Find(std::string_view name) const {
    const std::size_t position = Position(name, Hash(name));
    return position == kNone ? nullptr : &At(position).value;
}

bool ValueTable::Set(std::string_view name, RegistryValue&& value) {
    Settle();
    const std::uint32_t hash = Hash(name);
    std::size_t position = kNone;
    if (indexed_) {
        // One probe finds the value or the slot for a new one.
        const auto [found, added] = index_.FindOrInsert(
            hash, [&](std::uint32_t stored) { return EqualFolded(At(stored).name, name); },
            [&] { return Append(name, std::move(value)); });
        if (added) {
            return true;
        }
        position = *found;
    } else {
        position = Position(name, hash);
        if (position == kNone) {
            Append(name, std::move(value));
            if (live_ > kIndexFrom) {
                try {
                    Reindex();
                } catch (...) {
                    // A value the index does not know would be stored twice later.
                    blocks_.back().pop_back();
                    --stored_;
                    --live_;
                    throw;
                }
            }
            return true;
        }
    }
    RegistryValue& stored = At(position).value;
    if (stored == value) {
        return false;
    }
    stored = std::move(value);
    return true;
}

bool ValueTable::Erase(std::string_view name) {
    Settle();
    const std::uint32_t hash = Hash(name);
    const std::size_t position = Position(name, hash);
    if (position == kNone) {
        return false;
    }
    removed_.resize(std::max(removed_.size(), position + 1));
    if (indexed_) {
        index_.Take(hash, [&](std::uint32_t stored) { return stored == position; });
    }
    Remove(position);
    if (stored_ - live_ > live_) {
        Sweep();
    }
    return true;
}

void ValueTable::Add(std::string_view name, RegistryValue&& value) {
    if (waiting_.size() == kWaitingMax) {
        Settle();
    }
    if (!indexed_) {
        Set(name, std::move(value)); // a scan is as quick
        return;
    }
    if (waiting_.empty()) {
        waiting_.reserve(kWaitingMax);
    }
    waiting_.push_back(Hash(name));
    try {
        Append(name, std::move(value));
    } catch (...) {
        waiting_.pop_back();
        throw;
    }
}

// The waiting values are the last ones stored. Each is searched for as Set
// would, but a found one hands its value to the earlier one and leaves a gap.
void ValueTable::Settle() {
    if (waiting_.empty()) {
        return;
    }
    index_.Reserve(waiting_.size()); // so that no search below grows it
    const std::size_t first = stored_ - waiting_.size();
    std::size_t settled = 0;
    try {
        for (; settled < waiting_.size(); ++settled) {
            const auto position = static_cast<std::uint32_t>(first + settled);
            const auto [found, added] = index_.FindOrInsert(
                waiting_[settled],
                [&](std::uint32_t stored) {
                    return EqualFolded(At(stored).name, At(position).name);
                },
                [&] { return position; });
            if (!added) {
                removed_.resize(std::max(removed_.size(), std::size_t{position} + 1));
                At(*found).value = std::move(At(position).value);
                Remove(position);
            }
        }
    } catch (...) {
        // The values searched so far stay settled; the others wait still.
        waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(settled));
        throw;
    }
    waiting_ = {}; // its room too, as most keys are read once
    if (stored_ - live_ > live_) {
        Sweep();
    }
}

std::uint32_t ValueTable::Hash(std::string_view name) {
    return static_cast<std::uint32_t>(HashFolded(name));
}

std::size_t ValueTable::Position(std::string_view name, std::uint32_t hash) const {
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

// Stores the value at the next position, which it returns; indexing it is
// left to the caller. If it throws, the values are as they were.
std::uint32_t ValueTable::Append(std::string_view name, RegistryValue&& value) {
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
    // Filled in place: every move of a short text is a copy of its bytes.
    NamedValue& entry = blocks_.back().emplace_back();
    try {
        entry.name = name;
    } catch (...) {
        blocks_.back().pop_back();
        throw;
    }
    entry.value = std::move(value);
    ++live_;
    return static_cast<std::uint32_t>(stored_++);
}

// Leaves a gap at `position`, for which `removed_` has room.
void ValueTable::Remove(std::size_t position) {
    At(position) = {};
    removed_[position] = true;
    --live_;
}

void ValueTable::Reindex() {
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

void ValueTable::Sweep() {
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
