// SPDX-License-Identifier: MIT
#include "LocateChoice.h"

#include "Text.h"
#include "app/LocateChoiceDesign.h"
#include "platform/Exception.h"

#include <commctrl.h>

#include <string>

namespace twinvane::ui::win32 {

LocateChoice RunLocateChoice(HWND owner, const std::vector<ProgramOffer>& offers) {
    const LocateChoiceDesign& design = LocateChoiceLayout();
    // A command link shows the text after the line break as its note.
    std::vector<std::wstring> captions;
    for (const ProgramOffer& offer : offers) {
        captions.push_back(ToWide(offer.name + "\n" + offer.path));
    }
    captions.push_back(ToWide(design.browse + "\n" + design.browseNote));
    std::vector<TASKDIALOG_BUTTON> buttons;
    for (std::size_t i = 0; i < offers.size(); ++i) {
        buttons.push_back({kFirstProgramId + static_cast<int>(i), captions[i].c_str()});
    }
    buttons.push_back({kBrowseId, captions.back().c_str()});

    const std::wstring title = ToWide(design.title);
    const std::wstring instruction = ToWide(design.instruction);
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.hInstance = ::GetModuleHandleW(nullptr);
    config.dwFlags = TDF_USE_COMMAND_LINKS | TDF_ALLOW_DIALOG_CANCELLATION;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = title.c_str();
    config.pszMainInstruction = instruction.c_str();
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = buttons.front().nButtonID;
    int pressed = IDCANCEL;
    const HRESULT result = ::TaskDialogIndirect(&config, &pressed, nullptr, nullptr);
    if (FAILED(result)) {
        throw Exception("Cannot show the choice of diff program: error " + std::to_string(result));
    }
    if (pressed == kBrowseId) {
        return {LocateChoice::Kind::Browse, 0};
    }
    if (pressed >= kFirstProgramId &&
        static_cast<std::size_t>(pressed - kFirstProgramId) < offers.size()) {
        return {LocateChoice::Kind::Program, static_cast<std::size_t>(pressed - kFirstProgramId)};
    }
    return {};
}

} // namespace twinvane::ui::win32
