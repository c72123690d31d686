// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QString>

namespace twinvane::ui {

// A status panel that keeps the end of a long path in view: the middle gives
// way when the text is wider than the panel, and the tooltip holds it whole.
// Control characters show as U+FFFD, so that a line break in a file name
// cannot split the panel; the text is never read as rich text. Assistive
// technology reads the whole text, not the elided one, as the panel's name.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& FullText() const noexcept { return full_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();

    QString full_;
};

// `text` with every control character replaced by U+FFFD, for display only.
QString VisibleControls(QString text);

} // namespace twinvane::ui
