// SPDX-License-Identifier: MIT
#pragma once

#include "CopyProgress.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace twinvane {

// How long copies run before their progress shows: a copy that ends sooner
// shows nothing.
inline constexpr std::chrono::milliseconds kCopyProgressDelay{500};

// Whether copies running for `elapsed` show their progress.
bool CopyProgressDue(std::chrono::steady_clock::duration elapsed);

// The part `copied` is of `total`, from 0 to 1; 0 for nothing to copy,
// 1 for more than was expected (a file that grew).
double CopyFraction(std::uint64_t copied, std::uint64_t total);

// Makes copies with CopyFileTo one after another on a thread of its own,
// each after making room at its target with ClearTemporaryName, so that the
// window waiting for them keeps painting.
class CopyJob final : public CopyProgress {
public:
    struct Copy {
        std::string source;
        std::string target;
    };

    // Starts the copies at once.
    explicit CopyJob(std::vector<Copy> copies);
    // Stops copies still running and waits for them.
    ~CopyJob() override;
    CopyJob(const CopyJob&) = delete;
    CopyJob& operator=(const CopyJob&) = delete;

    double Fraction() const override;
    bool Finished() const override;
    bool ShowDue() const override;
    void Cancel() noexcept override;

    // Waits for the end. True when every copy was made; false when they were
    // cancelled, none then left. Raises the error that ended a copy, the
    // copies made before it kept, as CopyFileTo leaves them.
    bool Wait();
    // Deletes the copies this job made.
    void RemoveCopies();

private:
    void Run(const std::stop_token& stop);

    const std::vector<Copy> copies_;
    const std::uint64_t total_;
    const std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::atomic<std::uint64_t> copied_ = 0;
    std::atomic<bool> finished_ = false;
    // Written by the copying thread before finished_ is set; read after.
    std::size_t made_ = 0;
    bool cancelled_ = false;
    std::exception_ptr error_;
    std::jthread worker_; // last: it runs on everything above
};

} // namespace twinvane
