// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/ProgressDialog.h"

#include <QCoreApplication>
#include <QWidget>

namespace tolvanor::ui {
namespace {

constexpr int Steps = 1000;

int StepOf(std::int64_t done, std::int64_t total) {
    if (total <= 0) return 0;
    if (done >= total) return Steps;
    if (done <= 0) return 0;
    return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * Steps);
}

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent, const QString& label)
    : dialog_(new QProgressDialog(label, QString(), 0, Steps, parent)) {
    dialog_->setObjectName(QStringLiteral("dlgProgress"));
    dialog_->setWindowTitle(QStringLiteral("Tolvanor"));
    dialog_->setAccessibleName(QStringLiteral("Progress"));
    dialog_->setCancelButton(nullptr);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    // Shown by Update after the delay, never by the dialog's own estimate.
    dialog_->setMinimumDuration(24 * 3600 * 1000);
    dialog_->setMinimumWidth(360);
    dialog_->setValue(0);
    dialog_->hide();
    started_.start();
    lastUpdate_.start();
}

ProgressDialog::~ProgressDialog() {
    if (dialog_) {
        dialog_->hide();
        delete dialog_.data();
    }
}

void ProgressDialog::SetLabel(const QString& label) {
    if (!dialog_) return;
    dialog_->setLabelText(label);
    dialog_->setRange(0, Steps);
    dialog_->setValue(0);
}

bool ProgressDialog::Shown() const {
    return dialog_ && dialog_->isVisible();
}

void ProgressDialog::Report(std::int64_t done, std::int64_t total) {
    if (lastUpdate_.elapsed() < UpdateIntervalMs) return;
    lastUpdate_.restart();
    Update(done, total);
}

void ProgressDialog::Update(std::int64_t done, std::int64_t total) {
    if (dialog_) {
        if (total <= 0) {
            dialog_->setRange(0, 0); // unknown amount: a busy bar
        } else {
            if (dialog_->maximum() != Steps) dialog_->setRange(0, Steps);
            dialog_->setValue(StepOf(done, total));
        }
        if (!dialog_->isVisible() && started_.elapsed() >= ShowDelayMs) dialog_->show();
    }
    ++eventPasses_;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tolvanor::ui
