// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QTextBrowser;

namespace twinvane::ui {

// The built-in guide to Twinvane, shown when the system has no help file
// to open. A plain window: Escape or Close shuts it, the text can be read
// and scrolled from the keyboard and by a screen reader.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The guide as HTML, the same text that is installed beside the program.
    static QString Guide();

    QTextBrowser* Text() const { return text_; }

private:
    QTextBrowser* text_;
};

} // namespace twinvane::ui
