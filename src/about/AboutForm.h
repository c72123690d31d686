// SPDX-License-Identifier: MIT
#pragma once

#include "about/TGetVersionInfoFromFile.h"
#include "platform/Exception.h"

#include <string>

namespace twinvane {

// A picture file that cannot be shown as a bitmap: missing, unreadable, or
// holding something other than a bitmap. The message names the file.
class EPictureLoadError : public Exception {
public:
    using Exception::Exception;
};

// The four text lines of the About form, by their names on the form.
enum class AboutLabel { WTitle, WCopyright, WAuthor, WVersion };

// The About form as the About box's layout code sees it. A toolkit measures
// texts and pictures and places its controls where it is told; the layout
// decisions are all the About box's. Lengths are pixels.
//
// A fresh form has its design, AboutFormLayout(): the four labels, Logo
// showing the built-in bitmap, and OkButton at their design places.
class AboutForm {
public:
    virtual ~AboutForm() = default;

    // The version-information reader the form carries.
    virtual TGetVersionInfoFromFile& GetVersion() = 0;

    virtual void SetCaption(const std::string& caption) = 0;

    // A label sizes itself to its text: afterwards LabelWidth gives the
    // width of `text` in the form's font.
    virtual void SetLabelText(AboutLabel label, const std::string& text) = 0;
    virtual int LabelWidth(AboutLabel label) const = 0;
    virtual void SetLabelLeft(AboutLabel label, int left) = 0;

    // Replaces the picture by a copy of the application's 32 by 32 icon.
    virtual void ShowApplicationIcon() = 0;
    // Replaces the picture by the bitmap in the file `path`; raises
    // EPictureLoadError, leaving the picture as it was, when the file
    // cannot be loaded as a bitmap.
    virtual void LoadPictureFromFile(const std::string& path) = 0;
    // The size of the picture now shown, whatever part of it Logo clips.
    virtual int PictureWidth() const = 0;
    virtual int PictureHeight() const = 0;

    virtual void SetLogoLeft(int left) = 0;
    virtual void SetOkButtonTop(int top) = 0;
    virtual void SetOkButtonWidth(int width) = 0;
    virtual void SetOkButtonLeft(int left) = 0;

    // The form's outer size, its frame included where the platform has one.
    virtual void SetOuterHeight(int height) = 0;
    virtual void SetOuterWidth(int width) = 0;

    // Shows the form modally and waits until it closes. True exactly when
    // the user closed it with OkButton.
    virtual bool ShowModal() = 0;
};

} // namespace twinvane
