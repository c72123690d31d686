// SPDX-License-Identifier: MIT
#pragma once

#include "FoldedIndex.h"

#include "platform/Registry.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace twinvane::platform::posix {

struct NamedValue {
    std::string name;
    RegistryValue value;
    friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

// The values of one key that holds some, in the order they were first
// stored, found by name ignoring case (the spelling first stored is kept).
// Storing, finding and removing cost amortised constant time however many
// values a key holds: values sit in blocks that never move (no copy of them
// all as they grow), a hash index finds them, and a removal leaves a gap that
// is swept out once gaps outnumber values.
class ValueTable {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = NamedValue;
        using difference_type = std::ptrdiff_t;
        using pointer = const NamedValue*;
        using reference = const NamedValue&;

        Iterator() = default;
        reference operator*() const { return table_->At(position_); }
        pointer operator->() const { return &table_->At(position_); }
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator old = *this;
            ++*this;
            return old;
        }
        friend bool operator==(const Iterator&, const Iterator&) = default;

    private:
        friend class ValueTable;
        Iterator(const ValueTable* table, std::size_t position);

        const ValueTable* table_ = nullptr;
        std::size_t position_ = 0;
    };

    // The value `name`, or null.
    const RegistryValue* Find(std::string_view name) const;

    // Stores the value, at the end when the name is new; false when it held
    // this already.
    bool Set(std::string_view name, RegistryValue&& value);

    // Removes the value `name`; false when there was none.
    bool Erase(std::string_view name);

    // Stores the value as Set does, without telling whether that changed
    // anything, for reading a file's values: the search for an earlier value
    // of the name waits until Settle, or until a few dozen values wait, and
    // the searches of many values, done together, overlap in memory. Until
    // Settle the table only takes more values: Add, and Set and Erase, which
    // settle first.
    void Add(std::string_view name, RegistryValue&& value);
    void Settle();

    std::size_t size() const { return live_; }
    bool empty() const { return live_ == 0; }
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, stored_}; }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    const NamedValue& At(std::size_t position) const {
        return blocks_[position / kBlockSize][position % kBlockSize];
    }
    NamedValue& At(std::size_t position) {
        return blocks_[position / kBlockSize][position % kBlockSize];
    }
    bool IsLive(std::size_t position) const {
        return position >= removed_.size() || !removed_[position];
    }
    static std::uint32_t Hash(std::string_view name);
    std::size_t Position(std::string_view name, std::uint32_t hash) const;
    std::uint32_t Append(std::string_view name, RegistryValue&& value);
    void Remove(std::size_t position);
    void Reindex();
    void Sweep();

    // Blocks hold this many values; the first grows up to it as a vector
    // does, so that a key of few values costs little.
    static constexpr std::size_t kBlockSize = 256;
    // Fewer values are found by a plain scan.
    static constexpr std::size_t kIndexFrom = 8;
    // Added values wait for their search in groups of up to this many.
    static constexpr std::size_t kWaitingMax = 64;

    std::vector<std::vector<NamedValue>> blocks_;
    // By position, up to the last removal; empty while nothing was removed.
    std::vector<bool> removed_;
    std::size_t stored_ = 0; // positions used, gaps included
    std::size_t live_ = 0;
    // Positions of the values, once there are more than a scan suits.
    FoldedIndex<std::uint32_t> index_;
    bool indexed_ = false;
    // The hashes of the values added last, not yet searched nor indexed.
    std::vector<std::uint32_t> waiting_;
};

} // namespace twinvane::platform::posix
