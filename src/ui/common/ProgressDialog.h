// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <cstdint>

class QWidget;

namespace tolvanor::ui {

// The core's progress as a dialog. Work that ends quickly shows nothing;
// longer work shows the dialog after ShowDelayMs. Every ~UpdateIntervalMs
// the bar moves and pending events (paints, timers, not user input) run,
// so the windows repaint and nothing can start a second command meanwhile.
class ProgressDialog : public Progress {
public:
    static constexpr int ShowDelayMs = 400;
    static constexpr int UpdateIntervalMs = 30;

    ProgressDialog(QWidget* parent, const QString& label);
    ~ProgressDialog() override;
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    void Report(std::int64_t done, std::int64_t total) override;

    // A new step of the same work: new text, the bar starts again.
    void SetLabel(const QString& label);
    // Whether the dialog has appeared (for tests and the benchmark).
    bool Shown() const;
    // Events run while the work reported (for tests and the benchmark).
    int EventPasses() const noexcept { return eventPasses_; }

private:
    void Update(std::int64_t done, std::int64_t total);

    QPointer<QProgressDialog> dialog_;
    QElapsedTimer started_;
    QElapsedTimer lastUpdate_;
    int eventPasses_ = 0;
};

} // namespace tolvanor::ui
