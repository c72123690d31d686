// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace twinvane::ui::win32 {

// Text above the view is bytes in the ANSI code page, which the program's
// manifest makes UTF-8; the wide API takes UTF-16. These two are the only
// conversions between them. Unconvertible bytes become U+FFFD.
std::wstring ToWide(std::string_view text);
std::string FromWide(std::wstring_view text);

// The system's description of the calling thread's last error.
std::string LastErrorText();

} // namespace twinvane::ui::win32
