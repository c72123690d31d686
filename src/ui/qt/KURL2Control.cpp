// SPDX-License-Identifier: MIT
#include "KURL2Control.h"

#include "about/ProgramInfo.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>
#include <exception>

namespace twinvane::ui {

KURL2Control::KURL2Control(QWidget* parent, platform::ShellLauncher& shell)
    : QWidget(parent), label_(new QLabel(this)), link_(*this, shell) {
    // The control needs a native window for the shell's owner; its ancestors
    // do not.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    // An address is shown as it is, never read as markup.
    label_->setTextFormat(Qt::PlainText);
    label_->move(0, 0);
    label_->installEventFilter(this);
}

std::string KURL2Control::LabelText() const {
    return text_;
}

void KURL2Control::SetLabelText(const std::string& text) {
    text_ = text;
    const QString shown = QString::fromStdString(text);
    label_->setText(shown);
    label_->adjustSize();
    setAccessibleName(shown);
}

int KURL2Control::LabelWidth() const {
    return label_->width();
}

bool KURL2Control::LabelShowHint() const {
    return showHint_;
}

void KURL2Control::SetLabelShowHint(bool show) {
    showHint_ = show;
}

void KURL2Control::StyleLabel(std::uint32_t colorBgr, bool underlined) {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, QColor(static_cast<int>(colorBgr & 0xFF),
                                                  static_cast<int>((colorBgr >> 8) & 0xFF),
                                                  static_cast<int>((colorBgr >> 16) & 0xFF)));
    label_->setPalette(palette);
    // Every attribute marked as set, so the label keeps the toolkit's default
    // typeface and size whatever font the form around it uses.
    QFont font = QApplication::font();
    font.setUnderline(underlined);
    font.setResolveMask(QFont::AllPropertiesResolved);
    label_->setFont(font);
    label_->adjustSize();
}

void KURL2Control::PlaceControl(int left, int top, int width, int height) {
    // Height 13 fits the text of an 8-point Windows font; taller desktop fonts
    // would lose the underline and the descenders, so the window grows to its
    // label while Height keeps the stored value.
    setGeometry(left, top, width, std::max(height, label_->height()));
}

void KURL2Control::SetControlCursor(TCursor cursor) {
    // The label has no pointer of its own and shows this one.
    if (cursor == crHandPoint) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

void KURL2Control::SetControlHint(const std::string& hint) {
    hint_ = hint;
    setAccessibleDescription(QString::fromStdString(hint));
}

platform::WindowHandle KURL2Control::ControlHandle() {
    return static_cast<platform::WindowHandle>(winId());
}

bool KURL2Control::eventFilter(QObject* watched, QEvent* event) {
    if (watched != label_) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // The label holds the mouse from the press, so a release outside its
        // text means the user moved off before letting go.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            label_->rect().contains(mouse->position().toPoint())) {
            OpenFromClick();
            return true;
        }
    } else if (event->type() == QEvent::ToolTip) {
        // The label has no hint of its own: it shows the control's.
        const auto* help = static_cast<QHelpEvent*>(event);
        if (showHint_ && !hint_.empty()) {
            QToolTip::showText(help->globalPos(), QString::fromStdString(hint_), label_);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void KURL2Control::OpenFromClick() {
    // Nothing may escape into the event loop.
    try {
        link_.OpenLink();
    } catch (const std::exception& error) {
        QMessageBox::critical(window(), QString::fromUtf8(kProgramTitle),
                              QString::fromUtf8(error.what()));
    }
}

} // namespace twinvane::ui
