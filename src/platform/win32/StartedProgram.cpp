// SPDX-License-Identifier: MIT
#include "StartedProgram.h"

namespace twinvane::platform::win32 {
namespace {

// A job that only counts its processes: it lets them break away as they
// could before, sets no other limit, and ends nothing when its handle closes.
UniqueHandle CountingJob() {
    UniqueHandle job(::CreateJobObjectA(nullptr, nullptr));
    if (job.IsOpen()) {
        JOBOBJECT_BASIC_LIMIT_INFORMATION limits{};
        limits.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
        ::SetInformationJobObject(job.Get(), JobObjectBasicLimitInformation, &limits,
                                  sizeof limits);
    }
    return job;
}

} // namespace

StartedProgram::StartedProgram(HANDLE process) noexcept
    : process_(process), job_(CountingJob()), started_(::GetTickCount64()) {
    // The process runs already, so a child it starts at once may be created
    // before it joins the job and go unfollowed; the shortest run and the
    // open-file check before a deletion cover that child.
    if (job_.IsOpen() && !::AssignProcessToJobObject(job_.Get(), process_.Get())) {
        job_.Reset();
    }
}

bool StartedProgram::HasEnded() noexcept {
    if (::GetTickCount64() - started_ < kShortestRunMs) {
        return false;
    }
    if (!job_.IsOpen()) {
        return ::WaitForSingleObject(process_.Get(), 0) != WAIT_TIMEOUT;
    }
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (!::QueryInformationJobObject(job_.Get(), JobObjectBasicAccountingInformation, &accounting,
                                     sizeof accounting, nullptr)) {
        return false; // cannot tell: the files wait for the next start
    }
    return accounting.ActiveProcesses == 0;
}

} // namespace twinvane::platform::win32
