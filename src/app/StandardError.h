// SPDX-License-Identifier: MIT
#pragma once

#include "MainView.h"

#include <functional>
#include <string>

namespace twinvane {

// The text of the standard error box: the message, with a full stop added
// when its last character sorts after "." in the character code.
std::string StandardErrorText(const std::string& message);

// A failure's short text, as the window words it ("Unable to save files"),
// and on the next line the reason the error being handled gives. Called in
// a catch block; outside one, or for an error without a text, the short
// text alone.
std::string ShortTextWithReason(const std::string& text);

// Runs one event handler and routes any error that escapes it to the
// standard error box, so that no exception reaches the event loop.
void RunHandler(MainView& view, const std::function<void()>& handler) noexcept;

} // namespace twinvane
