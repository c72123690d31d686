// SPDX-License-Identifier: MIT
#pragma once

namespace twinvane {

// The maker's addresses, opened by the Help menu's web and e-mail commands.
// They live under the reserved example.com domain until real ones are chosen.
inline constexpr const char* kMakerWebAddress = "https://www.varnook.example.com/";
inline constexpr const char* kMakerSupportAddress = "support@varnook.example.com";

} // namespace twinvane
