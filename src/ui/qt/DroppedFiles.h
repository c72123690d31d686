// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace twinvane::ui {

// The local files of a drop, in order, as the exact bytes of their names:
// taken from the percent-encoded "text/uri-list", so that a name that is not
// valid UTF-8 reaches the state unchanged. Empty when the drop holds no such
// list, or anything but local files ("file:" without a host, or
// "localhost"); a drop is taken whole or not at all.
std::vector<std::string> DroppedFiles(const QMimeData* data);

} // namespace twinvane::ui
