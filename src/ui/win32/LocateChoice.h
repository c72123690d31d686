// SPDX-License-Identifier: MIT
#pragma once

#include "app/MainView.h"

#include <windows.h>

#include <vector>

namespace twinvane::ui::win32 {

// The button ids of the task dialog: each program's command link is
// kFirstProgramId plus its place in the list.
inline constexpr int kBrowseId = 100;
inline constexpr int kFirstProgramId = 101;

// The first step of Locate Windiff as a task dialog built from
// LocateChoiceLayout(): one command link per program (its name, its path
// below), one "Browse…" link, and Cancel. Throws when the system cannot
// show it.
LocateChoice RunLocateChoice(HWND owner, const std::vector<ProgramOffer>& offers);

} // namespace twinvane::ui::win32
