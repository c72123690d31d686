// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

namespace twinvane::platform {

// The record of temporary copies that wait for deletion. It is kept where
// only this user may write: on Linux in the verified private folder of the
// copies, on Windows in the user's own profile. It is never read through a
// link, never waited on, and replaced whole, so a reader sees the old text
// or the new one.

// Where the record is kept, for messages.
std::string DeletionRecordPath();

struct DeletionRecordText {
    enum class State { Absent, Read, TooLong };
    State state = State::Absent;
    std::string text; // the whole record when Read; empty otherwise
};

// Reads the record, at most `limit` bytes of it: a longer one is reported as
// TooLong without reading the rest. Raises twinvane::Exception naming the
// place and why when the place cannot be trusted (a folder or file of
// another user's, a link, anything but a regular file) or cannot be read.
DeletionRecordText ReadDeletionRecord(std::size_t limit);

// Replaces the record with `text` (a file beside it, then renamed over it);
// removes it when `text` is empty. Raises as ReadDeletionRecord does, and
// when it cannot be written.
void WriteDeletionRecord(const std::string& text);

// Moves the record out of the way, to DeletionRecordPath() + ".bad",
// replacing an earlier one there, so that it is neither read nor rewritten
// again. Raises as ReadDeletionRecord does.
void SetAsideDeletionRecord();

} // namespace twinvane::platform
