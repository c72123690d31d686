// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace twinvane::platform::posix {

// A hash index of things found by name, for tables whose names their owner
// keeps: each slot holds the 32-bit hash of a name (HashFolded) and a handle
// to the thing named. Open addressing with linear probing, at most three
// quarters full; the index doubles as it fills, from its own slots.
//
// Beside the slots, one byte per slot marks it free (0) or holds a few bits
// of its hash. A probe reads these bytes, a small array that mostly stays in
// the cache even when the slots do not, and reads a slot only when its byte
// agrees: looking up a new name, the commonest case while reading a file,
// then mostly touches no slot at all.
template <class Handle> class FoldedIndex {
public:
    // The handle stored with `hash` for which `matches(handle)` holds, or null.
    template <class Matches> const Handle* Find(std::uint32_t hash, Matches matches) const {
        if (marks_.empty()) {
            return nullptr;
        }
        const std::uint8_t mark = Mark(hash);
        for (std::size_t slot = hash & Mask(); marks_[slot] != 0; slot = (slot + 1) & Mask()) {
            if (marks_[slot] == mark && slots_[slot].hash == hash && matches(slots_[slot].handle)) {
                return &slots_[slot].handle;
            }
        }
        return nullptr;
    }

    // The handle stored with `hash` for which `matches(handle)` holds, with
    // false; failing that, stores the handle `make()` gives, with true. One
    // probe finds the thing or the free slot where it goes; if `make` throws,
    // the index is as it was.
    template <class Matches, class Make>
    std::pair<Handle*, bool> FindOrInsert(std::uint32_t hash, Matches matches, Make make) {
        Reserve(1);
        const std::uint8_t mark = Mark(hash);
        std::size_t slot = hash & Mask();
        for (; marks_[slot] != 0; slot = (slot + 1) & Mask()) {
            if (marks_[slot] == mark && slots_[slot].hash == hash && matches(slots_[slot].handle)) {
                return {&slots_[slot].handle, false};
            }
        }
        slots_[slot] = {hash, make()};
        marks_[slot] = mark;
        ++count_;
        return {&slots_[slot].handle, true};
    }

    void Insert(std::uint32_t hash, Handle handle) {
        Reserve(1);
        Place(hash, std::move(handle));
        ++count_;
    }

    // Takes out the handle stored with `hash` for which `matches(handle)`
    // holds, which must be there, moving back the slots that follow it in
    // its run so that no lookup stops short (no tombstones).
    template <class Matches> Handle Take(std::uint32_t hash, Matches matches) {
        const std::uint8_t mark = Mark(hash);
        std::size_t hole = hash & Mask();
        while (marks_[hole] != mark || slots_[hole].hash != hash || !matches(slots_[hole].handle)) {
            hole = (hole + 1) & Mask();
        }
        Handle taken = std::move(slots_[hole].handle);
        for (std::size_t slot = (hole + 1) & Mask(); marks_[slot] != 0;
             slot = (slot + 1) & Mask()) {
            // A slot may fill the hole unless its home lies after the hole.
            const std::size_t home = slots_[slot].hash & Mask();
            if (((slot - home) & Mask()) >= ((slot - hole) & Mask())) {
                slots_[hole] = std::move(slots_[slot]);
                marks_[hole] = marks_[slot];
                hole = slot;
            }
        }
        slots_[hole] = {};
        marks_[hole] = 0;
        --count_;
        return taken;
    }

    // Room for `more` handles without growing.
    void Reserve(std::size_t more) {
        while (4 * (count_ + more) > 3 * marks_.size()) {
            Grow();
        }
    }

    void Clear() {
        slots_.clear();
        marks_.clear();
        count_ = 0;
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        Handle handle{};
    };

    // The top bits of the hash, as the low ones choose the slot; never 0.
    static std::uint8_t Mark(std::uint32_t hash) {
        return static_cast<std::uint8_t>(hash >> 25 | 0x80);
    }

    std::size_t Mask() const { return marks_.size() - 1; }

    void Place(std::uint32_t hash, Handle handle) {
        std::size_t slot = hash & Mask();
        while (marks_[slot] != 0) {
            slot = (slot + 1) & Mask();
        }
        slots_[slot] = {hash, std::move(handle)};
        marks_[slot] = Mark(hash);
    }

    void Grow() {
        const std::size_t size = marks_.empty() ? 32 : 2 * marks_.size();
        std::vector<Slot> oldSlots(size);
        std::vector<std::uint8_t> oldMarks(size);
        oldSlots.swap(slots_);
        oldMarks.swap(marks_);
        for (std::size_t slot = 0; slot < oldMarks.size(); ++slot) {
            if (oldMarks[slot] != 0) {
                Place(oldSlots[slot].hash, std::move(oldSlots[slot].handle));
            }
        }
    }

    std::vector<Slot> slots_;
    std::vector<std::uint8_t> marks_; // by slot: 0 when free, else Mark(hash)
    std::size_t count_ = 0;
};

} // namespace twinvane::platform::posix
