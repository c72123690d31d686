// SPDX-License-Identifier: MIT
#pragma once

#include "UniqueFd.h"

#include <cstddef>
#include <optional>
#include <string>

namespace twinvane::platform::posix {

// The folder of the temporary copies and of the record of copies waiting
// for deletion, opened once and checked on what was opened: a real folder,
// not a link, owned by this user, mode 0700. In a shared place such as /tmp
// another user may have made it first; nothing in it is trusted before the
// check, and every file in it is reached relative to the checked folder.
class PrivateFolder {
public:
    // Opens the folder `path`, making it first when `create` is set and it is
    // missing. Nothing when it is missing and not made. Raises
    // twinvane::Exception, naming the folder and why, when anything else
    // stands there.
    static std::optional<PrivateFolder> Open(const std::string& path, bool create);

    const std::string& Path() const noexcept { return path_; }

    // Opens `name` in the folder without following a link or waiting on a
    // FIFO. Closed when there is none; raises when it is not a regular file
    // of this user's.
    UniqueFd OpenOwnFile(const std::string& name, int flags) const;

    // Replaces `name` with `text`: written beside it, flushed, renamed over it.
    void ReplaceFile(const std::string& name, const std::string& text) const;

    // Renames `from` to `to` in the folder, replacing `to`. False when
    // `from` is missing.
    bool Rename(const std::string& from, const std::string& to) const;

    // Removes `name` unless it is a folder; false when nothing was removed.
    bool Remove(const std::string& name) const;

private:
    PrivateFolder(std::string path, UniqueFd fd) : path_(std::move(path)), fd_(std::move(fd)) {}

    [[noreturn]] void Refuse(const std::string& name, const std::string& why) const;

    std::string path_;
    UniqueFd fd_;
};

} // namespace twinvane::platform::posix
