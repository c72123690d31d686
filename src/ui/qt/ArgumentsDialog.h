// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace twinvane::ui {

// Options > Diff Program Arguments, built from ArgumentsDialogLayout(): the
// field shows the template, and OK is offered only while it names both
// files; the hint below says why when it is not.
class ArgumentsDialog final : public QDialog {
    Q_OBJECT

public:
    ArgumentsDialog(QWidget* parent, const QString& current);

    QString Template() const;
    QLineEdit* Field() const { return field_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* Hint() const { return hint_; }

private:
    void Check();

    QLineEdit* field_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* hint_ = nullptr;
};

} // namespace twinvane::ui
