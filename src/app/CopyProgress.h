// SPDX-License-Identifier: MIT
#pragma once

namespace twinvane {

// Copies running on a thread of their own, as the window's thread sees
// them while it waits. Every member may be called from that thread at any
// time; none waits.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    // The part copied so far, from 0 to 1.
    virtual double Fraction() const = 0;
    // True once the copies have ended: made, failed or cancelled.
    virtual bool Finished() const = 0;
    // True once the copies have run long enough for their progress to show.
    virtual bool ShowDue() const = 0;
    // Asks the copies to stop; they end soon after and leave no copy behind.
    virtual void Cancel() noexcept = 0;
};

} // namespace twinvane
