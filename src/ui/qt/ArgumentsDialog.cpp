// SPDX-License-Identifier: MIT
#include "ArgumentsDialog.h"

#include "app/ArgumentsDialogDesign.h"
#include "app/DiffArguments.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace twinvane::ui {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A caption without its mnemonic marks, as screen readers say it.
QString Spoken(const std::string& caption) {
    QString spoken = Text(caption);
    spoken.remove(QLatin1Char('&'));
    return spoken;
}

} // namespace

ArgumentsDialog::ArgumentsDialog(QWidget* parent, const QString& current) : QDialog(parent) {
    const ArgumentsDialogDesign& design = ArgumentsDialogLayout();
    setObjectName(QStringLiteral("ArgumentsDialog"));
    setWindowTitle(Text(design.title));
    auto* layout = new QVBoxLayout(this);

    auto* label = new QLabel(Text(design.label), this);
    field_ = new QLineEdit(current, this);
    field_->setObjectName(QStringLiteral("Arguments"));
    field_->setAccessibleName(Spoken(design.label));
    field_->setAccessibleDescription(Text(design.example));
    label->setBuddy(field_);
    auto* example = new QLabel(Text(design.example), this);
    example->setWordWrap(true);
    hint_ = new QLabel(Text(design.hint), this);
    hint_->setObjectName(QStringLiteral("Hint"));
    hint_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(Text(design.ok), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    QPushButton* cancel = buttons->addButton(Text(design.cancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(field_, &QLineEdit::textChanged, this, &ArgumentsDialog::Check);

    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addWidget(example);
    layout->addWidget(hint_);
    layout->addStretch();
    layout->addWidget(buttons);
    resize(design.width, design.height);
    Check();
}

QString ArgumentsDialog::Template() const {
    return field_->text();
}

void ArgumentsDialog::Check() {
    const bool valid = IsArgumentTemplate(Template().toStdString());
    ok_->setEnabled(valid);
    // Hidden text is not read out, so the hint speaks only when it applies.
    hint_->setVisible(!valid);
}

} // namespace twinvane::ui
