// SPDX-License-Identifier: MIT
#pragma once

#include "RegistryDocument.h"

#include <chrono>
#include <functional>
#include <string>

namespace twinvane::platform::posix {

// The file that stands in for the Windows registry: registry.reg in REGEDIT4
// form, in a folder of its own (0700), the file itself 0600. Readers never
// lock: the file is only ever replaced whole, by rename.
class RegistryFile {
public:
    // The current user's file, in the folder "twinvane" of $XDG_CONFIG_HOME,
    // or of ~/.config when that is unset or not an absolute path. Raises
    // RegistryError when no home folder can be found.
    static RegistryFile ForCurrentUser();

    // The file registry.reg in `folder`. A save waits `lockWait` on a lock
    // that another process holds without saving anything, then gives up.
    explicit RegistryFile(std::string folder,
                          std::chrono::milliseconds lockWait = std::chrono::seconds(3));

    // What the file holds; an empty registry when there is no file yet.
    // Raises RegistryError naming the file when it cannot be read, is not a
    // regular file, or does not parse (with the line, and the name it will
    // be kept under).
    RegistryDocument Load() const;

    // Re-reads the file under an exclusive lock (registry.reg.lock, given
    // up when held elsewhere for `lockWait` with no save meanwhile, the
    // error naming it), lets `change` alter what it holds and, when `change`
    // returns true, replaces the file atomically: a temporary file in the
    // same folder, fsync, rename, fsync of the folder. When registry.reg is
    // a symbolic link, the file at the end of the link is replaced that way
    // in its own folder, and the link stays. A file that does not parse
    // counts as empty; it is first copied beside as registry.reg.bad (or
    // .bad.2, .bad.3, ... when that is taken) and stays in place until the
    // new file replaces it. Raises RegistryError; the file is then unchanged.
    void Update(const std::function<bool(RegistryDocument&)>& change) const;

private:
    std::string folder_;
    std::string path_;
    std::chrono::milliseconds lockWait_;
};

} // namespace twinvane::platform::posix
