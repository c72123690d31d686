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
// quarters full, so that a lookup mostly reads one stretch of memory and
// looks at a thing only when the hashes agree; the index doubles as it
// fills, from its own slots.
template <class Handle> class FoldedIndex {
public:
    // The handle stored with `hash` for which `matches(handle)` holds, or null.
    template <class Matches> const Handle* Find(std::uint32_t hash, Matches matches) const {
        if (slots_.empty()) {
            return nullptr;
        }
        hash = Stored(hash);
        for (std::size_t slot = hash & Mask(); slots_[slot].hash != 0; slot = (slot + 1) & Mask()) {
            if (slots_[slot].hash == hash && matches(slots_[slot].handle)) {
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
        if (4 * (count_ + 1) > 3 * slots_.size()) {
            Grow();
        }
        hash = Stored(hash);
        std::size_t slot = hash & Mask();
        for (; slots_[slot].hash != 0; slot = (slot + 1) & Mask()) {
            if (slots_[slot].hash == hash && matches(slots_[slot].handle)) {
                return {&slots_[slot].handle, false};
            }
        }
        slots_[slot].handle = make();
        slots_[slot].hash = hash;
        ++count_;
        return {&slots_[slot].handle, true};
    }

    void Insert(std::uint32_t hash, Handle handle) {
        if (4 * (count_ + 1) > 3 * slots_.size()) {
            Grow();
        }
        Place({Stored(hash), std::move(handle)});
        ++count_;
    }

    // Takes out the handle stored with `hash` for which `matches(handle)`
    // holds, which must be there, moving back the slots that follow it in
    // its run so that no lookup stops short (no tombstones).
    template <class Matches> Handle Take(std::uint32_t hash, Matches matches) {
        hash = Stored(hash);
        std::size_t hole = hash & Mask();
        while (slots_[hole].hash != hash || !matches(slots_[hole].handle)) {
            hole = (hole + 1) & Mask();
        }
        Handle taken = std::move(slots_[hole].handle);
        for (std::size_t slot = (hole + 1) & Mask(); slots_[slot].hash != 0;
             slot = (slot + 1) & Mask()) {
            // A slot may fill the hole unless its home lies after the hole.
            const std::size_t home = slots_[slot].hash & Mask();
            if (((slot - home) & Mask()) >= ((slot - hole) & Mask())) {
                slots_[hole] = std::move(slots_[slot]);
                hole = slot;
            }
        }
        slots_[hole] = {};
        --count_;
        return taken;
    }

    void Clear() {
        slots_.clear();
        count_ = 0;
    }

private:
    struct Slot {
        std::uint32_t hash = 0; // 0 for a free slot
        Handle handle{};
    };

    // A hash of 0 is kept as 1, so that 0 can mark a free slot.
    static std::uint32_t Stored(std::uint32_t hash) { return hash != 0 ? hash : 1; }

    std::size_t Mask() const { return slots_.size() - 1; }

    void Place(Slot entry) {
        std::size_t slot = entry.hash & Mask();
        while (slots_[slot].hash != 0) {
            slot = (slot + 1) & Mask();
        }
        slots_[slot] = std::move(entry);
    }

    void Grow() {
        std::vector<Slot> old(slots_.empty() ? 32 : 2 * slots_.size());
        old.swap(slots_);
        for (Slot& entry : old) {
            if (entry.hash != 0) {
                Place(std::move(entry));
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

} // namespace twinvane::platform::posix
