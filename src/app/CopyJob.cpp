// SPDX-License-Identifier: MIT
#include "CopyJob.h"

#include "fileutil/fileops.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <numeric>

namespace twinvane {
namespace {

std::uint64_t TotalSize(const std::vector<CopyJob::Copy>& copies) {
    return std::accumulate(copies.begin(), copies.end(), std::uint64_t{0},
                           [](std::uint64_t sum, const CopyJob::Copy& copy) {
                               return sum + platform::FileSizeOf(copy.source).value_or(0);
                           });
}

} // namespace

bool CopyProgressDue(std::chrono::steady_clock::duration elapsed) {
    return elapsed >= kCopyProgressDelay;
}

double CopyFraction(std::uint64_t copied, std::uint64_t total) {
    if (total == 0) {
        return 0.0;
    }
    return std::min(1.0, static_cast<double>(copied) / static_cast<double>(total));
}

CopyJob::CopyJob(std::vector<Copy> copies)
    : copies_(std::move(copies)), total_(TotalSize(copies_)),
      worker_([this](const std::stop_token& stop) { Run(stop); }) {}

CopyJob::~CopyJob() {
    worker_.request_stop();
}

double CopyJob::Fraction() const {
    return CopyFraction(copied_.load(), total_);
}

bool CopyJob::Finished() const {
    return finished_.load();
}

bool CopyJob::ShowDue() const {
    return !Finished() && CopyProgressDue(std::chrono::steady_clock::now() - started_);
}

void CopyJob::Cancel() noexcept {
    worker_.request_stop();
}

bool CopyJob::Wait() {
    if (worker_.joinable()) {
        worker_.join();
    }
    if (error_) {
        std::rethrow_exception(error_);
    }
    return !cancelled_;
}

void CopyJob::RemoveCopies() {
    for (std::size_t i = 0; i < made_; ++i) {
        platform::RemoveFile(copies_[i].target);
    }
    made_ = 0;
}

void CopyJob::Run(const std::stop_token& stop) {
    try {
        std::uint64_t before = 0;
        for (const Copy& copy : copies_) {
            if (stop.stop_requested()) {
                cancelled_ = true;
                break;
            }
            platform::ClearTemporaryName(copy.target);
            const bool whole = CopyFileTo(copy.source, copy.target, [&](std::uint64_t copied) {
                copied_ = before + copied;
                return !stop.stop_requested();
            });
            if (!whole) {
                cancelled_ = true;
                break;
            }
            ++made_;
            before = copied_.load();
        }
        if (cancelled_) {
            RemoveCopies();
        }
    } catch (...) {
        error_ = std::current_exception();
    }
    finished_ = true;
}

} // namespace twinvane
