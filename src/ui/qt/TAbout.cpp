// SPDX-License-Identifier: MIT
#include "TAbout.h"

#include "Pictures.h"
#include "WindowPlacement.h"
#include "about/AboutFormDesign.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

#include <cstddef>

namespace twinvane::ui {
namespace {

QRect Place(const AboutControlDesign& control) {
    return {control.left, control.top, control.width, control.height};
}

std::size_t Index(AboutLabel label) {
    return static_cast<std::size_t>(label);
}

// A bitmap is shown transparent: the colour of its bottom-left pixel lets
// the dialog show through, as the picture control's design asks.
QPixmap TransparentBitmap(const QImage& bitmap) {
    if (bitmap.isNull()) {
        return {};
    }
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb ground = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] == ground) {
                row[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return QPixmap::fromImage(image);
}

[[noreturn]] void RefusePicture(const std::string& path, const std::string& reason) {
    throw EPictureLoadError("Cannot load the picture \"" + path + "\": " + reason);
}

// Opens `path` for reading as a bitmap file, or says plainly why not.
void OpenBitmapFile(QFile& file, const std::string& path) {
    const QFileInfo info(file.fileName());
    if (!info.exists()) {
        RefusePicture(path, "the file does not exist");
    }
    if (info.isDir()) {
        RefusePicture(path, "it is a folder");
    }
    if (!file.open(QIODevice::ReadOnly)) {
        RefusePicture(path, "the file cannot be opened: " + file.errorString().toStdString());
    }
    // Every bitmap file starts with "BM", whatever its name says.
    if (file.peek(2) != "BM") {
        RefusePicture(path, "it is not a bitmap (BMP) file");
    }
}

} // namespace

TAbout::TAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      logo_(new QLabel(this)), okButton_(new QPushButton(this)) {
    const AboutFormDesign& design = AboutFormLayout();
    setObjectName(QString::fromStdString(design.name));
    setModal(true);
    setFixedSize(design.clientWidth, design.clientHeight);

    for (std::size_t i = 0; i < labels_.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromStdString(design.labels[i].name));
        // Texts from a version block or a caller are shown as they are, never
        // read as markup.
        label->setTextFormat(Qt::PlainText);
        label->move(design.labels[i].left, design.labels[i].top);
        labels_[i] = label;
    }

    logo_->setObjectName(QString::fromStdString(design.logo.name));
    logo_->setAccessibleName(QString::fromStdString(design.logoAccessibleName));
    logo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logo_->setGeometry(Place(design.logo));
    ShowPicture(TransparentBitmap(BuiltInLogo()));

    okButton_->setText(QString::fromStdString(design.okCaption));
    okButton_->setObjectName(QString::fromStdString(design.okButton.name));
    okButton_->setGeometry(Place(design.okButton));
    okButton_->setDefault(true);
    okButton_->setFocus();
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    // The labels and the picture take no focus, so OK is first and alone in
    // the tab order.
}

QLabel* TAbout::Label(AboutLabel label) const {
    return labels_.at(Index(label));
}

void TAbout::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TAbout::SetLabelText(AboutLabel label, const std::string& text) {
    QLabel* shown = Label(label);
    shown->setText(QString::fromStdString(text));
    // The label is as wide as its text in the form's font, and no wider.
    const QFontMetrics metrics(shown->font());
    shown->resize(metrics.horizontalAdvance(shown->text()), metrics.height());
}

int TAbout::LabelWidth(AboutLabel label) const {
    return Label(label)->width();
}

void TAbout::SetLabelLeft(AboutLabel label, int left) {
    QLabel* shown = Label(label);
    shown->move(left, shown->y());
}

void TAbout::ShowApplicationIcon() {
    const int size = AboutFormLayout().applicationIconSize;
    ShowPicture(ApplicationIcon().pixmap(QSize(size, size), 1.0));
}

void TAbout::LoadPictureFromFile(const std::string& path) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    OpenBitmapFile(file, path);
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAutoDetectImageFormat(false);
    const QImage bitmap = reader.read();
    if (bitmap.isNull()) {
        RefusePicture(path, "its bitmap data is damaged or too large");
    }
    ShowPicture(TransparentBitmap(bitmap));
}

void TAbout::ShowPicture(const QPixmap& picture) {
    picture_ = picture;
    // Unscaled from the control's top-left corner; the control clips it.
    logo_->setPixmap(picture_);
}

int TAbout::PictureWidth() const {
    return qRound(picture_.deviceIndependentSize().width());
}

int TAbout::PictureHeight() const {
    return qRound(picture_.deviceIndependentSize().height());
}

void TAbout::SetLogoLeft(int left) {
    logo_->move(left, logo_->y());
}

void TAbout::SetOkButtonTop(int top) {
    okButton_->move(okButton_->x(), top);
}

void TAbout::SetOkButtonWidth(int width) {
    okButton_->resize(width, okButton_->height());
}

void TAbout::SetOkButtonLeft(int left) {
    okButton_->move(left, okButton_->y());
}

void TAbout::SetOuterHeight(int height) {
    outerSize_.setHeight(height);
    ApplyOuterSize();
}

void TAbout::SetOuterWidth(int width) {
    outerSize_.setWidth(width);
    ApplyOuterSize();
}

void TAbout::ApplyOuterSize() {
    // The frame is known only where the platform reports it, and only once
    // the window exists; until then the client area takes the whole size.
    const QSize frame = frameGeometry().size() - size();
    const QSize outer(outerSize_.width() > 0 ? outerSize_.width() : width() + frame.width(),
                      outerSize_.height() > 0 ? outerSize_.height() : height() + frame.height());
    setFixedSize((outer - frame).expandedTo(QSize(1, 1)));
}

void TAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ApplyOuterSize();
    PlaceCentred(*this);
}

bool TAbout::ShowModal() {
    return exec() == QDialog::Accepted;
}

} // namespace twinvane::ui
