// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace twinvane {

// `text` made safe to print as one field of one line: a backslash becomes
// \\, a line feed \n, a tab \t, and every other control character \xHH, one
// per byte, in upper-case hexadecimal: the bytes below 0x20, DEL (0x7F) and
// the C1 controls U+0080 to U+009F as UTF-8 encodes them (\xC2\x9B). Every
// other byte passes unchanged. No text can then end a line early or reach
// a terminal as an escape sequence, and the original can be recovered.
std::string EscapeForLine(std::string_view text);

} // namespace twinvane
