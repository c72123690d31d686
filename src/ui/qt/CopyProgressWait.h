// SPDX-License-Identifier: MIT
#pragma once

#include "app/CopyProgress.h"

#include <QProgressDialog>

#include <memory>

namespace twinvane::ui {

// Returns once `copies` have finished, as MainView::WaitForCopies promises:
// the event loop runs meanwhile without user input, and once the copies are
// due to show, the progress dialog over `window` takes it, its Cancel (the
// button, Escape, Enter, or the dialog closed) cancelling them.
void WaitForCopies(QWidget* window, CopyProgress& copies);

// The progress dialog of CopyProgressLayout(), built but not shown.
std::unique_ptr<QProgressDialog> BuildCopyProgressDialog(QWidget* parent);

} // namespace twinvane::ui
