// SPDX-License-Identifier: MIT
#pragma once

#include "widgets/KURL2.h"

#include <QWidget>

#include <string>

class QLabel;

namespace twinvane::ui {

// The Qt face of TKURL2: a blue, underlined address under a hand pointer
// that opens it when the text (and only the text) is clicked. The address,
// the hint and the link kind are set through Link().
class KURL2Control : public QWidget, private KURL2View {
    Q_OBJECT

public:
    explicit KURL2Control(QWidget* parent = nullptr,
                          platform::ShellLauncher& shell = platform::SystemShell());

    TKURL2& Link() { return link_; }
    const TKURL2& Link() const { return link_; }

    // The inner label, for layouts and tests that need to find the text.
    QLabel* Label() const { return label_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string LabelText() const override;
    void SetLabelText(const std::string& text) override;
    int LabelWidth() const override;
    bool LabelShowHint() const override;
    void SetLabelShowHint(bool show) override;
    void StyleLabel(std::uint32_t colorBgr, bool underlined) override;
    void PlaceControl(int left, int top, int width, int height) override;
    void SetControlCursor(TCursor cursor) override;
    void SetControlHint(const std::string& hint) override;
    platform::WindowHandle ControlHandle() override;

    void OpenFromClick();

    // Declared before link_, which talks to them while it is constructed.
    QLabel* label_;
    std::string text_; // the label's text as given, byte for byte
    std::string hint_;
    bool showHint_ = true;
    TKURL2 link_;
};

} // namespace twinvane::ui
