// SPDX-License-Identifier: MIT
#include "AboutDialog.h"

#include "Resources.h"
#include "Text.h"
#include "about/AboutFormDesign.h"
#include "about/ProgramInfo.h"
#include "platform/Exception.h"

#include <utility>

namespace twinvane::ui::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

std::size_t Index(AboutLabel label) {
    return static_cast<std::size_t>(label);
}

// The owner takes no input while the form is shown, and gets it back, and
// the activation, before the form goes.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner)
        : owner_(owner && ::IsWindowEnabled(owner) ? owner : nullptr) {
        if (owner_) {
            ::EnableWindow(owner_, FALSE);
        }
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;
    ~OwnerDisabled() {
        if (owner_) {
            ::EnableWindow(owner_, TRUE);
        }
    }

private:
    HWND owner_;
};

} // namespace

void AboutDialog::PictureBox::Create(HWND parent, const Rect& bounds, const std::string& name) {
    WindowParams params;
    params.className = L"STATIC";
    params.style = WS_VISIBLE | SS_OWNERDRAW | SS_NOPREFIX;
    params.parent = parent;
    params.text = name;
    params.bounds = bounds;
    CreateWindowFrom(params);
}

AboutDialog::AboutDialog(HINSTANCE instance, HWND owner)
    : instance_(instance), owner_(owner), dpi_(WindowDpi(owner)), font_(CreateDesignFont(dpi_)),
      picture_(AboutPicture::BitmapResource(instance, TWINVANE_IDB_LOGO)) {
    RegisterRoutedClass({.name = kClassName, .background = ::GetSysColorBrush(COLOR_BTNFACE)});
    const AboutFormDesign& design = AboutFormLayout();
    WindowParams params;
    params.className = kClassName;
    params.style = kStyle;
    params.exStyle = kExStyle;
    CreateWindowFrom(params);
    // An owned pop-up: it stays above the main window and goes with it.
    ::SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_));
    // The monitor it was made on may scale otherwise than the owner's.
    if (const UINT dpi = WindowDpi(Handle()); dpi != dpi_) {
        dpi_ = dpi;
        font_ = CreateDesignFont(dpi_);
    }

    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labelPlaces_[i] = PlaceOf(design.labels[i]);
        Static::CreateArgs label;
        label.parent = Handle();
        label.font = font_.Get();
        labels_[i].Create(label);
    }
    logoPlace_ = PlaceOf(design.logo);
    logo_.Create(Handle(), Scale(logoPlace_, dpi_), design.logoAccessibleName);
    okPlace_ = PlaceOf(design.okButton);
    Button::CreateArgs ok;
    ok.parent = Handle();
    ok.text = design.okCaption;
    ok.bounds = Scale(okPlace_, dpi_);
    ok.id = IDOK;
    ok.font = font_.Get();
    ok.isDefault = true;
    okButton_.Create(ok);

    // The design's client area, in the frame this window has.
    RECT frame{0, 0, Scale(design.clientWidth, dpi_), Scale(design.clientHeight, dpi_)};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    outer_ = {Unscale(frame.right - frame.left, dpi_), Unscale(frame.bottom - frame.top, dpi_)};
    PlaceControls();
}

AboutDialog::~AboutDialog() {
    // Here, while the members the window procedure uses still exist.
    Destroy();
}

HWND AboutDialog::LabelHandle(AboutLabel label) const {
    return labels_.at(Index(label)).Handle();
}

void AboutDialog::SetCaption(const std::string& caption) {
    SetText(caption);
}

void AboutDialog::SetLabelText(AboutLabel label, const std::string& text) {
    labels_.at(Index(label)).SetText(text);
    PlaceLabel(Index(label));
}

int AboutDialog::LabelWidth(AboutLabel label) const {
    return labelPlaces_.at(Index(label)).width;
}

void AboutDialog::SetLabelLeft(AboutLabel label, int left) {
    labelPlaces_.at(Index(label)).left = left;
    PlaceLabel(Index(label));
}

void AboutDialog::ShowApplicationIcon() {
    ShowPicture(AboutPicture::IconResource(instance_, TWINVANE_IDI_APP,
                                           AboutFormLayout().applicationIconSize, dpi_));
}

void AboutDialog::LoadPictureFromFile(const std::string& path) {
    ShowPicture(AboutPicture::BitmapFile(path));
}

void AboutDialog::ShowPicture(AboutPicture picture) {
    picture_ = std::move(picture);
    ::InvalidateRect(logo_.Handle(), nullptr, TRUE);
}

void AboutDialog::SetLogoLeft(int left) {
    logoPlace_.left = left;
    logo_.SetBounds(Scale(logoPlace_, dpi_));
}

void AboutDialog::SetOkButtonTop(int top) {
    okPlace_.top = top;
    okButton_.SetBounds(Scale(okPlace_, dpi_));
}

void AboutDialog::SetOkButtonWidth(int width) {
    okPlace_.width = width;
    okButton_.SetBounds(Scale(okPlace_, dpi_));
}

void AboutDialog::SetOkButtonLeft(int left) {
    okPlace_.left = left;
    okButton_.SetBounds(Scale(okPlace_, dpi_));
}

void AboutDialog::SetOuterHeight(int height) {
    outer_.cy = height;
    ApplyOuterSize();
}

void AboutDialog::SetOuterWidth(int width) {
    outer_.cx = width;
    ApplyOuterSize();
}

void AboutDialog::PlaceLabel(std::size_t index) {
    Static& label = labels_.at(index);
    Rect& place = labelPlaces_.at(index);
    const SIZE text = MeasureText(font_.Get(), label.Text());
    place.width = Unscale(text.cx, dpi_);
    place.height = Unscale(text.cy, dpi_);
    // Exactly the text's pixels, so that the label is no wider than its text.
    label.SetBounds({Scale(place.left, dpi_), Scale(place.top, dpi_), text.cx, text.cy});
}

void AboutDialog::PlaceControls() {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i].SetFont(font_.Get());
        PlaceLabel(i);
    }
    logo_.SetBounds(Scale(logoPlace_, dpi_));
    okButton_.SetFont(font_.Get());
    okButton_.SetBounds(Scale(okPlace_, dpi_));
    ApplyOuterSize();
}

void AboutDialog::ApplyOuterSize() {
    ::SetWindowPos(Handle(), nullptr, 0, 0, Scale(outer_.cx, dpi_), Scale(outer_.cy, dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    try {
        font_ = CreateDesignFont(dpi);
    } catch (const Exception&) {
        return; // the old font, and the old size with it, still fit together
    }
    dpi_ = dpi;
    PlaceControls();
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void AboutDialog::DrawLogo(const DRAWITEMSTRUCT& item) const {
    // Transparent: the form's face shows where the picture does not.
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    picture_.Draw(item.hDC, item.rcItem.left, item.rcItem.top, dpi_);
}

void AboutDialog::CentreOnMonitor() {
    RECT window{};
    if (!::GetWindowRect(Handle(), &window)) {
        return;
    }
    if (const auto at = CentredOnMonitor(owner_ ? owner_ : Handle(), window.right - window.left,
                                         window.bottom - window.top, MonitorArea::Work)) {
        ::SetWindowPos(Handle(), nullptr, at->x, at->y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool AboutDialog::ShowModal() {
    if (running_) {
        return false; // already shown: one modal loop per form
    }
    accepted_ = false;
    running_ = true;
    {
        const OwnerDisabled disabled(owner_);
        CentreOnMonitor();
        ::ShowWindow(Handle(), SW_SHOW);
        ::SetForegroundWindow(Handle());
        ::SetFocus(okButton_.Handle());
        MSG message{};
        while (running_ && Handle()) {
            const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                // The program is ending: the outer loop must see the quit too.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                accepted_ = false;
                break;
            }
            if (got == -1) {
                break;
            }
            if (!::IsDialogMessageW(Handle(), &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        running_ = false;
    }
    if (Handle()) {
        ::ShowWindow(Handle(), SW_HIDE);
    }
    return accepted_;
}

void AboutDialog::Close(bool ok) {
    if (running_) {
        accepted_ = ok;
        running_ = false;
    }
}

LRESULT AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = Handle();
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            Close(LOWORD(wParam) == IDOK);
            return 0;
        }
        break;
    case WM_CLOSE: // the close box, Alt+F4
        Close(false);
        return 0;
    case DM_GETDEFID: // what IsDialogMessage presses for Enter
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            ::SetFocus(okButton_.Handle());
            return 0;
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->hwndItem == logo_.Handle()) {
            DrawLogo(*item);
            return TRUE;
        }
        break;
    }
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NCDESTROY:
        running_ = false;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

AboutDialogFactory::AboutDialogFactory(HINSTANCE instance) : instance_(instance) {}

void AboutDialogFactory::SetOwner(HWND owner) {
    owner_ = owner;
}

std::unique_ptr<AboutForm> AboutDialogFactory::CreateForm() {
    return std::make_unique<AboutDialog>(instance_, owner_);
}

ScreenSize AboutDialogFactory::PrimaryScreenSize() const {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

std::string AboutDialogFactory::ApplicationTitle() const {
    return kProgramTitle;
}

} // namespace twinvane::ui::win32
