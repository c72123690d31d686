// SPDX-License-Identifier: MIT
#pragma once

#include "platform/FileSystem.h"
#include "platform/ProcessHandle.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace twinvane {

// Files the user agreed to delete while a program started on them may still
// read them. A file goes once that program has ended and no program has it
// open. What still waits is written to a record only this user may write,
// so that the next run deletes it when the program could not be followed or
// Twinvane ended first. Only names the clean-up may delete are taken, from
// the caller or from the record; only a file that is still the very file
// agreed to (by identity) is ever deleted, and never one that another
// Twinvane still running waits for: its diff program may still read it.
// Nothing here waits or raises.
class PendingDeletion {
public:
    // Deletes `files` once `program` has ended; with no program to follow,
    // at the next start. Names that lead to no file, or that the clean-up
    // may not delete, are left out.
    void Add(const std::vector<std::string>& files,
             std::unique_ptr<platform::RunningProgram> program);
    // Deletes the files whose program has ended; any still open wait for the
    // next start. Cheap when nothing waits.
    void Poll();
    // Whether a program started on files due for deletion is still followed.
    bool Follows() const noexcept {
        return std::ranges::any_of(batches_, [](const Batch& b) { return b.program != nullptr; });
    }
    // Takes over what an earlier run left waiting and deletes what may go.
    // Returns what the user must be told, once: a record or folder that
    // cannot be trusted and was not used, or a record set aside; empty when
    // all is well.
    std::string Resume();
    // The file `path` leads to, or whatever stands at that name, is in use
    // again and is no longer deleted.
    void Keep(const std::string& path);

private:
    struct File {
        std::string path;
        platform::FileIdentity identity;
    };
    struct Batch {
        std::vector<File> files;
        std::unique_ptr<platform::RunningProgram> program; // null: wait for the next start
    };

    // Writes what waits; a record that cannot be written only leaves the
    // files for later.
    void Save() const;

    // The owner this run writes into the record, and the lines it keeps.
    platform::ProcessToken self_ = platform::CurrentProcess();
    std::vector<Batch> batches_;
};

} // namespace twinvane
