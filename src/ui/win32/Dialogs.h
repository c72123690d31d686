// SPDX-License-Identifier: MIT
#pragma once

#include "app/MainView.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace twinvane::ui::win32 {

// The common open-file dialog set up as `request` says: a name that does not
// exist is accepted, no read-only box, resizable. Returns the chosen path,
// whole however long, or nothing when the user cancels; throws when the
// dialog itself fails.
std::optional<std::string> RunOpenFileDialog(HWND owner, const FileDialogRequest& request);

// A modal box captioned by its kind, with the kind's icon and `buttons` in
// order; Enter answers OK and Escape Cancel where they are present. Returns
// the button pressed, Cancel when the box was closed without an answer.
MessageButton AskMessage(HWND owner, MessageKind kind, const std::string& text,
                         const std::vector<MessageButton>& buttons);

// Captioned with the program's title, one OK button; the plain box has no
// icon, the error box the error icon.
void ShowPlainMessage(HWND owner, const std::string& text);
void ShowErrorBox(HWND owner, const std::string& text);

// `text` with every line break as Windows draws one, "\r\n": the program's
// texts break lines with a carriage return alone.
std::string DisplayText(const std::string& text);

} // namespace twinvane::ui::win32
