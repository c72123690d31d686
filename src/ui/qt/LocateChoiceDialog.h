// SPDX-License-Identifier: MIT
#pragma once

#include "app/MainView.h"

#include <QDialog>

#include <vector>

class QListWidget;
class QPushButton;

namespace twinvane::ui {

// The first step of Locate Windiff, built from LocateChoiceLayout(): the
// programs found, one a line with its path; Enter or a double click on one
// chooses it, "Browse…" goes on to the file dialog, Cancel ends.
class LocateChoiceDialog final : public QDialog {
    Q_OBJECT

public:
    LocateChoiceDialog(QWidget* parent, const std::vector<ProgramOffer>& offers);

    // What the dialog was closed with; Cancel until then.
    LocateChoice Choice() const { return choice_; }
    QListWidget* List() const { return list_; }
    QPushButton* BrowseButton() const { return browse_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    QListWidget* list_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* cancel_ = nullptr;
    LocateChoice choice_;
};

} // namespace twinvane::ui
