// SPDX-License-Identifier: MIT
#include "ElidedLabel.h"

#include <QFontMetrics>

#include <algorithm>

namespace twinvane::ui {

QString VisibleControls(QString text) {
    for (QChar& c : text) {
        const auto category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    SetFullText(text);
}

void ElidedLabel::SetFullText(const QString& text) {
    full_ = VisibleControls(text);
    setToolTip(full_);
    setAccessibleName(full_); // also tells assistive technology of the change
    Elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ElidedLabel::Elide() {
    const int width = contentsRect().width() - 2 * margin() - 2 * std::max(indent(), 0);
    setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, std::max(width, 0)));
}

} // namespace twinvane::ui
