// SPDX-License-Identifier: MIT
#pragma once

#include "about/AboutFormFactory.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace twinvane::testing {

enum class Picture { BuiltIn, ApplicationIcon, File };

// Everything one fake About form was told, kept after the form is released.
struct FormRecord {
    std::string caption;
    std::array<std::string, 4> texts; // by AboutLabel
    std::array<int, 4> lefts{32, 32, 32, 32};
    Picture picture = Picture::BuiltIn;
    int pictureWidth = 147;
    int pictureHeight = 120;
    int logoLeft = 8;
    int okTop = 218;
    int okWidth = 97;
    int okLeft = 40;
    int outerWidth = 0; // 0: never set
    int outerHeight = 0;
    std::vector<std::string> calls; // "ShowModal", "released" and the size setters, in order
    bool released = false;

    const std::string& Text(AboutLabel label) const { return texts[Index(label)]; }
    int Left(AboutLabel label) const { return lefts[Index(label)]; }
    static std::size_t Index(AboutLabel label) { return static_cast<std::size_t>(label); }
    bool Shown() const { return std::find(calls.begin(), calls.end(), "ShowModal") != calls.end(); }
};

// Text widths of the fake form's font: 6 pixels a byte and 1 more, so that
// odd widths test the integer halving.
inline int TextWidth(const std::string& text) {
    return 6 * static_cast<int>(text.size()) + 1;
}

class FakeAboutForm final : public AboutForm {
public:
    FakeAboutForm(FormRecord& record, const std::map<std::string, std::pair<int, int>>& bitmaps,
                  bool answerOk)
        : record_(record), bitmaps_(bitmaps), answerOk_(answerOk) {}
    ~FakeAboutForm() override {
        record_.calls.push_back("released");
        record_.released = true;
    }

    TGetVersionInfoFromFile& GetVersion() override { return getVersion_; }
    void SetCaption(const std::string& caption) override { record_.caption = caption; }
    void SetLabelText(AboutLabel label, const std::string& text) override {
        record_.texts[FormRecord::Index(label)] = text;
    }
    int LabelWidth(AboutLabel label) const override { return TextWidth(record_.Text(label)); }
    void SetLabelLeft(AboutLabel label, int left) override {
        record_.lefts[FormRecord::Index(label)] = left;
    }
    void ShowApplicationIcon() override {
        record_.picture = Picture::ApplicationIcon;
        record_.pictureWidth = 32;
        record_.pictureHeight = 32;
    }
    void LoadPictureFromFile(const std::string& path) override {
        const auto bitmap = bitmaps_.find(path);
        if (bitmap == bitmaps_.end()) {
            throw EPictureLoadError("Cannot load the picture \"" + path + "\"");
        }
        record_.picture = Picture::File;
        record_.pictureWidth = bitmap->second.first;
        record_.pictureHeight = bitmap->second.second;
    }
    int PictureWidth() const override { return record_.pictureWidth; }
    int PictureHeight() const override { return record_.pictureHeight; }
    void SetLogoLeft(int left) override { record_.logoLeft = left; }
    void SetOkButtonTop(int top) override { record_.okTop = top; }
    void SetOkButtonWidth(int width) override { record_.okWidth = width; }
    void SetOkButtonLeft(int left) override { record_.okLeft = left; }
    void SetOuterHeight(int height) override {
        record_.outerHeight = height;
        record_.calls.push_back("SetOuterHeight");
    }
    void SetOuterWidth(int width) override {
        record_.outerWidth = width;
        record_.calls.push_back("SetOuterWidth");
    }
    bool ShowModal() override {
        record_.calls.push_back("ShowModal");
        return answerOk_;
    }

private:
    FormRecord& record_;
    const std::map<std::string, std::pair<int, int>>& bitmaps_;
    bool answerOk_;
    TGetVersionInfoFromFile getVersion_;
};

// Makes fake forms and keeps the record of each.
class FakeAboutFormFactory final : public AboutFormFactory {
public:
    std::unique_ptr<AboutForm> CreateForm() override {
        if (failToCreate) {
            throw Exception("Out of system resources");
        }
        records.emplace_back();
        return std::make_unique<FakeAboutForm>(records.back(), bitmaps, answerOk);
    }
    ScreenSize PrimaryScreenSize() const override { return screen; }
    std::string ApplicationTitle() const override { return title; }

    const FormRecord& Last() const { return records.back(); }

    ScreenSize screen{1366, 769};
    std::string title = "Twinvane";
    // Bitmap files the fake can load, with their width and height.
    std::map<std::string, std::pair<int, int>> bitmaps;
    bool answerOk = true; // false: the user used the close box
    bool failToCreate = false;
    std::deque<FormRecord> records; // a deque keeps the records where forms point
};

} // namespace twinvane::testing
