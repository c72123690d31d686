// SPDX-License-Identifier: MIT
#include "DroppedFiles.h"

#include "Text.h"

#include <memory>
#include <type_traits>

namespace twinvane::ui::win32 {
namespace {

struct FinishDrop {
    void operator()(HDROP drop) const { ::DragFinish(drop); }
};
using DropHandle = std::unique_ptr<std::remove_pointer_t<HDROP>, FinishDrop>;

} // namespace

DroppedFiles TakeDroppedFiles(HDROP drop) {
    const DropHandle owned(drop);
    DroppedFiles dropped;
    ::DragQueryPoint(drop, &dropped.point);
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Wide, then converted: names in any script, of any length.
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1u, L'\0');
        name.resize(::DragQueryFileW(drop, i, name.data(), length + 1));
        if (!name.empty()) {
            dropped.paths.push_back(FromWide(name));
        }
    }
    return dropped;
}

} // namespace twinvane::ui::win32
