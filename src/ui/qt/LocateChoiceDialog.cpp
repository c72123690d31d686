// SPDX-License-Identifier: MIT
#include "LocateChoiceDialog.h"

#include "app/LocateChoiceDesign.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace twinvane::ui {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

LocateChoiceDialog::LocateChoiceDialog(QWidget* parent, const std::vector<ProgramOffer>& offers)
    : QDialog(parent) {
    const LocateChoiceDesign& design = LocateChoiceLayout();
    setObjectName(QStringLiteral("LocateChoice"));
    setWindowTitle(Text(design.title));
    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel(Text(design.instruction), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("Programs"));
    list_->setAccessibleName(Text(design.listName));
    list_->setAccessibleDescription(Text(design.instruction));
    instruction->setBuddy(list_);
    for (const ProgramOffer& offer : offers) {
        // The path in the line itself, so that screen readers say it too.
        auto* item = new QListWidgetItem(Text(offer.name) + QStringLiteral(" \u2014 ") +
                                             QFile::decodeName(offer.path.c_str()),
                                         list_);
        item->setToolTip(QFile::decodeName(offer.path.c_str()));
    }
    list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        choice_ = {LocateChoice::Kind::Program, static_cast<std::size_t>(list_->row(item))};
        accept();
    });

    browse_ = new QPushButton(Text(design.browse), this);
    browse_->setObjectName(QStringLiteral("Browse"));
    browse_->setAccessibleDescription(Text(design.browseNote));
    cancel_ = new QPushButton(Text(design.cancel), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    // Enter on the list chooses its line; it must not also press a button.
    browse_->setAutoDefault(false);
    cancel_->setAutoDefault(false);
    connect(browse_, &QPushButton::clicked, this, [this] {
        choice_ = {LocateChoice::Kind::Browse, 0};
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(browse_);
    buttons->addWidget(cancel_);
    layout->addWidget(instruction);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    list_->setFocus();
    resize(440, 100 + 22 * static_cast<int>(offers.size()));
}

} // namespace twinvane::ui
