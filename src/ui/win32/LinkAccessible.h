// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace twinvane::ui::win32 {

// Answers a link control's WM_GETOBJECT for its client area: the system's
// standard object for the window, presented as a link named by the window
// text, whose default action ("Jump") posts `activateMessage` to the window.
// Returns 0 when no object can be made (COM not initialised, say); the
// window procedure then lets the default answer.
LRESULT AnswerLinkAccessibility(HWND link, WPARAM wParam, UINT activateMessage);

} // namespace twinvane::ui::win32
