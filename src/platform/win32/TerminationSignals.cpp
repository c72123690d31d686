// SPDX-License-Identifier: MIT
#include "platform/TerminationSignals.h"

namespace twinvane::platform {

// Windows ends a program with WM_CLOSE and WM_ENDSESSION, which the window
// handles itself.
TerminationSignals::TerminationSignals() = default;
TerminationSignals::~TerminationSignals() = default;

int TerminationSignals::Descriptor() const noexcept {
    return readEnd_;
}

void TerminationSignals::Acknowledge() noexcept {}

} // namespace twinvane::platform
