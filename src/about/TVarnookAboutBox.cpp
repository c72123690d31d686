// SPDX-License-Identifier: MIT
#include "about/TVarnookAboutBox.h"

#include "about/MakerLines.h"
#include "platform/AppPaths.h"

#include <exception>
#include <memory>

namespace twinvane {
namespace {

// Positions in the version block's values: FileVersion and InternalName when
// every key before them has a value.
constexpr int kFileVersionPosition = 2;

constexpr int kMinimumWidth = 120;
// The picture's top is 80; the form is at least 150 taller than the picture
// and OkButton sits 10 below it.
constexpr int kHeightAbovePicture = 150;
constexpr int kOkButtonBelowPictureTop = 90;
constexpr int kWidthBesidePicture = 8;
constexpr int kOkButtonMargins = 60;

} // namespace

TVarnookAboutBox::TVarnookAboutBox(AboutFormFactory& forms) : forms_(forms) {
    const ScreenSize screen = forms_.PrimaryScreenSize();
    left_ = screen.width / 2;
    top_ = screen.height / 2;
    copyright_ = kMakerCopyright;
}

bool TVarnookAboutBox::Execute() {
    const std::unique_ptr<AboutForm> form = forms_.CreateForm();
    if (title_.empty()) {
        title_ = forms_.ApplicationTitle();
    }
    form->SetCaption(caption_);
    form->GetVersion().SetfileName(filename_);
    if (author_.empty()) {
        author_ = kMakerAuthor;
    }
    form->SetLabelText(AboutLabel::WVersion, VersionLine(form->GetVersion().VersionStrings()));
    form->SetLabelText(AboutLabel::WTitle, title_);
    form->SetLabelText(AboutLabel::WCopyright, copyright_);
    form->SetLabelText(AboutLabel::WAuthor, author_);
    ShowPicture(*form);

    const int pictureWidth = form->PictureWidth();
    const int pictureHeight = form->PictureHeight();
    if (pictureWidth >= width_) {
        width_ = pictureWidth + kWidthBesidePicture;
    }
    if (width_ < kMinimumWidth) {
        width_ = kMinimumWidth;
    }
    if (pictureHeight + kHeightAbovePicture > height_) {
        height_ = pictureHeight + kHeightAbovePicture;
    }
    form->SetOkButtonTop(pictureHeight + kOkButtonBelowPictureTop);
    form->SetOuterHeight(height_);
    form->SetOuterWidth(width_);

    // Centred items sit at half the outer width, frame included.
    const int formWidth = width_;
    for (const AboutLabel label :
         {AboutLabel::WTitle, AboutLabel::WAuthor, AboutLabel::WCopyright, AboutLabel::WVersion}) {
        form->SetLabelLeft(label,
                           textCentered_ ? formWidth / 2 - form->LabelWidth(label) / 2 : textLeft_);
    }
    form->SetLogoLeft(formWidth / 2 - pictureWidth / 2);
    const int buttonWidth = formWidth - kOkButtonMargins;
    form->SetOkButtonWidth(buttonWidth);
    form->SetOkButtonLeft(formWidth / 2 - buttonWidth / 2);
    return form->ShowModal();
}

std::string TVarnookAboutBox::VersionLine(const TStringList& versionStrings) const {
    if (versionStrings.Count() <= kFileVersionPosition) {
        return version_;
    }
    return "Version " + versionStrings[kFileVersionPosition];
}

void TVarnookAboutBox::ShowPicture(AboutForm& form) const {
    if (defaultIcon_) {
        return;
    }
    if (iconFile_.empty()) {
        form.ShowApplicationIcon();
    } else {
        form.LoadPictureFromFile(iconFile_);
    }
}

std::string TVarnookAboutBox::RunningVersionString(int position) {
    const std::unique_ptr<AboutForm> form = forms_.CreateForm();
    try {
        TGetVersionInfoFromFile& reader = form->GetVersion();
        reader.SetfileName(platform::RunningExecutablePath());
        return reader.VersionStrings()[position];
    } catch (const std::exception&) {
        // Above all a block too short for the position: the fallback says so.
        return version_;
    }
}

} // namespace twinvane
