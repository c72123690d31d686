// SPDX-License-Identifier: MIT
#pragma once

#include "platform/posix/os/UniqueFd.h"

#include <fcntl.h>

#include <stdexcept>
#include <string>

namespace twinvane::testing {

// An exclusive lock on `path` (created when missing), held as another
// process would hold it until the object goes. An open-file-description
// lock, so that it stands against the code under test in this process too.
class HeldLock {
public:
    explicit HeldLock(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        struct flock request {};
        request.l_type = F_WRLCK;
        request.l_whence = SEEK_SET;
        if (!fd_.IsOpen() || ::fcntl(fd_.Get(), F_OFD_SETLK, &request) != 0) {
            throw std::runtime_error("cannot lock " + path);
        }
    }

private:
    platform::posix::UniqueFd fd_;
};

} // namespace twinvane::testing
