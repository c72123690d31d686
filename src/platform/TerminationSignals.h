// SPDX-License-Identifier: MIT
#pragma once

namespace twinvane::platform {

// Turns the requests to end the program that arrive as signals on Linux
// (SIGTERM at logout or kill, SIGHUP, SIGINT) into a readable descriptor, so
// that the event loop can close the window the ordinary way and the settings
// are saved. One object at a time; the old handlers return when it goes.
class TerminationSignals {
public:
    TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;
    ~TerminationSignals();

    // Readable once such a signal came; -1 where there is none (Windows).
    int Descriptor() const noexcept;

    // Empties the descriptor after a signal has been seen.
    void Acknowledge() noexcept;

private:
    int readEnd_ = -1;
};

} // namespace twinvane::platform
