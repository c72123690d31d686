// SPDX-License-Identifier: MIT
#include "platform/TerminationSignals.h"

#include "platform/Exception.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace twinvane::platform {
namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler reaches nothing but globals; this is the write end of the
// pipe while a TerminationSignals object lives, -1 otherwise.
volatile std::sig_atomic_t writeEnd = -1;

extern "C" void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; the byte may be dropped.
    [[maybe_unused]] const auto written = ::write(writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals() {
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw Exception(std::string("Cannot watch for termination signals: ") +
                        std::strerror(errno));
    }
    readEnd_ = ends[0];
    writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    ::close(static_cast<int>(writeEnd));
    writeEnd = -1;
    ::close(readEnd_);
}

int TerminationSignals::Descriptor() const noexcept {
    return readEnd_;
}

void TerminationSignals::Acknowledge() noexcept {
    std::array<char, 64> bytes{};
    while (::read(readEnd_, bytes.data(), bytes.size()) > 0) {
    }
}

} // namespace twinvane::platform
