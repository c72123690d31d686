// SPDX-License-Identifier: MIT
#include "CopyProgressWait.h"

#include "app/CopyProgressDesign.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <functional>

namespace twinvane::ui {
namespace {

// Runs the event loop with `flags` until `done()`, which is asked at once
// and then every poll interval of the design.
void RunUntil(QEventLoop::ProcessEventsFlags flags, const std::function<bool()>& done) {
    if (done()) {
        return;
    }
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    poll.start(CopyProgressLayout().pollMs);
    loop.exec(flags);
}

} // namespace

std::unique_ptr<QProgressDialog> BuildCopyProgressDialog(QWidget* parent) {
    const CopyProgressDesign& design = CopyProgressLayout();
    auto dialog = std::make_unique<QProgressDialog>(parent);
    dialog->setWindowTitle(QString::fromStdString(design.title));
    // The label keeps its text as what a screen reader reads.
    dialog->setLabelText(QString::fromStdString(design.text));
    // The dialog's own button keeps the dialog's Escape shortcut, which a
    // button set in its place would make ambiguous.
    dialog->setCancelButtonText(QString::fromStdString(design.cancel));
    if (auto* cancel = dialog->findChild<QPushButton*>()) {
        // Enter presses Cancel as Escape does: it is the dialog's only answer.
        cancel->setDefault(true);
    }
    dialog->setRange(0, design.steps);
    dialog->setWindowModality(Qt::ApplicationModal);
    // This dialog shows when the copies say so, not by its own estimate, and
    // stays up at the end of the bar until they are done.
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    return dialog;
}

void WaitForCopies(QWidget* window, CopyProgress& copies) {
    // Painting goes on; clicks and keys wait until the copies end, so no
    // handler runs in the middle of this one.
    RunUntil(QEventLoop::ExcludeUserInputEvents,
             [&] { return copies.Finished() || copies.ShowDue(); });
    if (!copies.Finished()) {
        const auto dialog = BuildCopyProgressDialog(window);
        const int steps = CopyProgressLayout().steps;
        bool cancelled = false;
        const auto cancel = [&] {
            cancelled = true;
            copies.Cancel();
        };
        QObject::connect(dialog.get(), &QProgressDialog::canceled, cancel);
        QObject::connect(dialog.get(), &QDialog::rejected, cancel);
        dialog->show(); // open() would make it modal to the window alone
        RunUntil(QEventLoop::AllEvents, [&] {
            if (!cancelled && !copies.Finished()) {
                dialog->setValue(static_cast<int>(std::lround(copies.Fraction() * steps)));
            }
            return cancelled || copies.Finished();
        });
    }
    // A cancelled copy still removes what it wrote.
    RunUntil(QEventLoop::ExcludeUserInputEvents, [&] { return copies.Finished(); });
}

} // namespace twinvane::ui
