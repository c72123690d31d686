// SPDX-License-Identifier: MIT
// Resource numbers shared by the resource scripts and the code.
#pragma once

// The application icon: the lowest number, so Windows takes it as the
// program's own icon.
#define TWINVANE_IDI_APP 1

// The About box's built-in logo, a 147 by 120, 256-colour bitmap.
#define TWINVANE_IDB_LOGO 2
