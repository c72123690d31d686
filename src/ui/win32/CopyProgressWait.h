// SPDX-License-Identifier: MIT
#pragma once

#include "app/CopyProgress.h"

#include <windows.h>

namespace twinvane::ui::win32 {

// Returns once `copies` have finished, as MainView::WaitForCopies promises:
// messages keep flowing meanwhile, so `owner` repaints, but its keyboard and
// mouse input is dropped; once the copies are due to show, a task dialog
// over `owner` shows their progress, its Cancel (the button, Escape, Enter
// or the dialog closed) cancelling them.
void WaitForCopies(HWND owner, CopyProgress& copies);

} // namespace twinvane::ui::win32
