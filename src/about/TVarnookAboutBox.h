// SPDX-License-Identifier: MIT
#pragma once

#include "about/AboutFormFactory.h"

#include <string>
#include <utility>

namespace twinvane {

// The About box: holds the texts and layout options of the About form and,
// on request, builds a form from `forms`, fills it, sizes it to its picture
// and shows it modally. Also tells the name and version of the running
// executable from its version block.
//
// The factory must outlive the box. Properties are listed in the order an
// owner's stored design sets them.
class TVarnookAboutBox {
public:
    // Height 250, Width 230, Left and Top half the primary screen's width
    // and height, Copyright the maker's line, TextCentered true, TextLeft 20;
    // everything else empty or false.
    explicit TVarnookAboutBox(AboutFormFactory& forms);

    // First text line; an empty Title becomes the application's title at
    // Execute and keeps it.
    const std::string& Title() const noexcept { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    // Shown as the version line, and told by GetAppName and GetAppVersion,
    // when the version block has too few values.
    const std::string& Version() const noexcept { return version_; }
    void SetVersion(std::string version) { version_ = std::move(version); }
    const std::string& Copyright() const noexcept { return copyright_; }
    void SetCopyright(std::string copyright) { copyright_ = std::move(copyright); }
    // Third text line; an empty Author becomes the maker's author line at
    // Execute and keeps it.
    const std::string& Author() const noexcept { return author_; }
    void SetAuthor(std::string author) { author_ = std::move(author); }
    // Left edge of every text line when TextCentered is false.
    int TextLeft() const noexcept { return textLeft_; }
    void SetTextLeft(int left) noexcept { textLeft_ = left; }
    bool TextCentered() const noexcept { return textCentered_; }
    void SetTextCentered(bool centered) noexcept { textCentered_ = centered; }
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    // Requested outer size of the form; Execute raises them to fit the
    // picture and keeps the raised values.
    int Height() const noexcept { return height_; }
    void SetHeight(int height) noexcept { height_ = height; }
    int Width() const noexcept { return width_; }
    void SetWidth(int width) noexcept { width_ = width; }
    // Stored only: the form is always centred on the screen.
    int Top() const noexcept { return top_; }
    void SetTop(int top) noexcept { top_ = top; }
    int Left() const noexcept { return left_; }
    void SetLeft(int left) noexcept { left_ = left; }
    // The file whose version block the form shows.
    const std::string& Filename() const noexcept { return filename_; }
    void SetFilename(std::string filename) { filename_ = std::move(filename); }
    // Bitmap file shown as the picture when DefaultIcon is false; empty
    // shows the application's icon.
    const std::string& IconFile() const noexcept { return iconFile_; }
    void SetIconFile(std::string iconFile) { iconFile_ = std::move(iconFile); }
    // True keeps the form's built-in logo bitmap.
    bool DefaultIcon() const noexcept { return defaultIcon_; }
    void SetDefaultIcon(bool defaultIcon) noexcept { defaultIcon_ = defaultIcon; }

    // Builds, fills, sizes and shows the About form; true when the user
    // closed it with its OK button. An IconFile that cannot be loaded raises
    // EPictureLoadError before the form is shown. The form is released on
    // every way out.
    bool Execute();

    // The InternalName (position 3) and FileVersion (position 2) of the
    // running executable's version block, read through a form that is never
    // shown; Version when the block has no value there. Errors of the
    // reading are not reported; an error creating the form is.
    std::string GetAppName() { return RunningVersionString(3); }
    std::string GetAppVersion() { return RunningVersionString(2); }

private:
    std::string RunningVersionString(int position);
    std::string VersionLine(const TStringList& versionStrings) const;
    void ShowPicture(AboutForm& form) const;

    AboutFormFactory& forms_;
    std::string title_;
    std::string version_;
    std::string copyright_;
    std::string author_;
    int textLeft_ = 20;
    bool textCentered_ = true;
    std::string caption_;
    int height_ = 250;
    int width_ = 230;
    int top_ = 0;
    int left_ = 0;
    std::string filename_;
    std::string iconFile_;
    bool defaultIcon_ = false;
};

} // namespace twinvane
