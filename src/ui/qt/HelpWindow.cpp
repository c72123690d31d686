// SPDX-License-Identifier: MIT
#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// A static library's resources are linked in only when something names them.
static void LoadHelpResources() {
    Q_INIT_RESOURCE(twinvane_help);
}

namespace twinvane::ui {

QString HelpWindow::Guide() {
    LoadHelpResources();
    QFile file(QStringLiteral(":/twinvane/help/twinvane.html"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("<p>The Twinvane guide is missing from this build.</p>");
    }
    return QString::fromUtf8(file.readAll());
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), text_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Twinvane Help"));
    setAccessibleName(windowTitle());

    text_->setHtml(Guide());
    text_->setOpenLinks(false);
    text_->setAccessibleName(QStringLiteral("Twinvane guide"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);

    // The text takes the focus so that the arrow and page keys scroll it at
    // once; Escape still closes the window.
    text_->setFocus();
    resize(600, 520);
}

} // namespace twinvane::ui
