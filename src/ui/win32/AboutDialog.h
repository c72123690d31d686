// SPDX-License-Identifier: MIT
#pragma once

#include "AboutPicture.h"
#include "Controls.h"
#include "Fonts.h"
#include "Wnd.h"
#include "about/AboutFormFactory.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace twinvane::ui::win32 {

// The About form as a Win32 window ("TwinvaneAbout"): a fixed dialog frame
// with only a close box, kept above other windows, centred on its owner's
// monitor when shown, in the design font. It is built from AboutFormLayout()
// and does what the About box's layout code tells it; places and sizes reach
// it in design pixels and are scaled to the DPI it is created at.
//
// The window exists, hidden, from construction; ShowModal shows it with its
// owner disabled and runs a modal loop with dialog keys: Tab, Enter (OK) and
// Escape (close).
class AboutDialog final : public Wnd, public AboutForm {
public:
    static constexpr const wchar_t* kClassName = L"TwinvaneAbout";

    // `instance` holds the icon and the built-in logo; `owner` may be null.
    AboutDialog(HINSTANCE instance, HWND owner);
    ~AboutDialog() override;

    TGetVersionInfoFromFile& GetVersion() override { return getVersion_; }
    void SetCaption(const std::string& caption) override;
    void SetLabelText(AboutLabel label, const std::string& text) override;
    int LabelWidth(AboutLabel label) const override;
    void SetLabelLeft(AboutLabel label, int left) override;
    void ShowApplicationIcon() override;
    void LoadPictureFromFile(const std::string& path) override;
    int PictureWidth() const override { return picture_.Width(); }
    int PictureHeight() const override { return picture_.Height(); }
    void SetLogoLeft(int left) override;
    void SetOkButtonTop(int top) override;
    void SetOkButtonWidth(int width) override;
    void SetOkButtonLeft(int left) override;
    void SetOuterHeight(int height) override;
    void SetOuterWidth(int width) override;
    bool ShowModal() override;

    // The controls, for those who look at the form.
    HWND LabelHandle(AboutLabel label) const;
    HWND LogoHandle() const { return logo_.Handle(); }
    HWND OkButtonHandle() const { return okButton_.Handle(); }

private:
    // An owner-drawn static control: the parent draws the picture into it,
    // clipped to it. Its text names it for screen readers.
    struct PictureBox : Wnd {
        void Create(HWND parent, const Rect& bounds, const std::string& name);
    };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowPicture(AboutPicture picture);
    void DrawLogo(const DRAWITEMSTRUCT& item) const;
    // Puts every control and the frame where their design places say, at
    // the current DPI; a label is as large as its text in the form's font.
    void PlaceLabel(std::size_t index);
    void PlaceControls();
    void ApplyOuterSize();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void Close(bool ok);
    void CentreOnMonitor();

    HINSTANCE instance_;
    HWND owner_;
    UINT dpi_;
    Font font_;
    TGetVersionInfoFromFile getVersion_;
    std::array<Static, 4> labels_;
    // Places in design pixels; a label's width is its text's.
    std::array<Rect, 4> labelPlaces_{};
    PictureBox logo_;
    Rect logoPlace_;
    Button okButton_;
    Rect okPlace_;
    AboutPicture picture_;
    SIZE outer_{}; // design pixels, frame included
    bool running_ = false;
    bool accepted_ = false;
};

// Makes AboutDialog forms owned by the main window, and tells the About box
// the primary screen's size and the program's title.
class AboutDialogFactory final : public AboutFormFactory {
public:
    explicit AboutDialogFactory(HINSTANCE instance);
    // The main window, once created: the forms' owner, disabled while one
    // is shown.
    void SetOwner(HWND owner);
    std::unique_ptr<AboutForm> CreateForm() override;
    ScreenSize PrimaryScreenSize() const override;
    std::string ApplicationTitle() const override;

private:
    HINSTANCE instance_;
    HWND owner_ = nullptr;
};

} // namespace twinvane::ui::win32
