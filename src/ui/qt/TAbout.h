// SPDX-License-Identifier: MIT
#pragma once

#include "about/AboutForm.h"

#include <QDialog>
#include <QPixmap>

#include <array>

class QLabel;
class QPushButton;

namespace twinvane::ui {

// The About form: a fixed-size dialog with only a close box, kept above
// other windows and centred on the screen when shown. It does what the About
// box's layout code tells it and measures what it asks; it decides nothing.
class TAbout final : public QDialog, public AboutForm {
    Q_OBJECT

public:
    explicit TAbout(QWidget* parent = nullptr);

    TGetVersionInfoFromFile& GetVersion() override { return getVersion_; }
    void SetCaption(const std::string& caption) override;
    void SetLabelText(AboutLabel label, const std::string& text) override;
    int LabelWidth(AboutLabel label) const override;
    void SetLabelLeft(AboutLabel label, int left) override;
    void ShowApplicationIcon() override;
    void LoadPictureFromFile(const std::string& path) override;
    int PictureWidth() const override;
    int PictureHeight() const override;
    void SetLogoLeft(int left) override;
    void SetOkButtonTop(int top) override;
    void SetOkButtonWidth(int width) override;
    void SetOkButtonLeft(int left) override;
    void SetOuterHeight(int height) override;
    void SetOuterWidth(int width) override;
    bool ShowModal() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label(AboutLabel label) const;
    void ShowPicture(const QPixmap& picture);
    void ApplyOuterSize();

    TGetVersionInfoFromFile getVersion_;
    std::array<QLabel*, 4> labels_{};
    QLabel* logo_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPixmap picture_;
    QSize outerSize_;
};

} // namespace twinvane::ui
