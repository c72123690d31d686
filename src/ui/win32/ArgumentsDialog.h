// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace twinvane::ui::win32 {

// Control ids of the arguments dialog, for those who look at it.
inline constexpr int kArgumentsFieldId = 101;
inline constexpr int kArgumentsHintId = 102;

// Options > Diff Program Arguments as a modal dialog built from
// ArgumentsDialogLayout(): the field shows `current`, OK is offered only
// while the text names both files. The text accepted, or nothing when
// cancelled. Throws when the system cannot show the dialog.
std::optional<std::string> RunArgumentsDialog(HWND owner, const std::string& current);

} // namespace twinvane::ui::win32
