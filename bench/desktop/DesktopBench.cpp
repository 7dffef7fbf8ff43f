// SPDX-License-Identifier: GPL-3.0-or-later
// New File of a full-size Trimble file through the main window (read, merge,
// whole-job pass, with the progress dialog) against the same work done
// headless in the same run, and the longest time the event loop went
// without running a timer while the window worked.
//   desktop_bench TRIMBLE_FILE
#include "BenchJob.h"
#include "core/MemorySettingsStore.h"
#include "editor/DataEditor.h"
#include "input/LoadCommands.h"
#include "input/ReadOptions.h"
#include "ui/main/MainControls.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>

namespace {

using namespace tolvanor;
using namespace tolvanor::bench;
using Clock = std::chrono::steady_clock;

constexpr int Rounds = 3;
constexpr int TickMs = 5;

// Only this thread's processor time: the window's event loop and the
// headless run are held against each other on the same thread.
template <typename Work> Timing MeasureThread(Work&& work) {
    const auto start = Clock::now();
    const double cpuStart = ThreadSeconds();
    work();
    return {std::chrono::duration<double>(Clock::now() - start).count(), ThreadSeconds() - cpuStart};
}

// The fastest of several rounds.
struct Best {
    Timing Time{.Wall = 1e9, .Cpu = 1e9};
    void Keep(const Timing& other) {
        Time.Wall = std::min(Time.Wall, other.Wall);
        Time.Cpu = std::min(Time.Cpu, other.Cpu);
    }
};

// What the progress dialog showed at a moment: its text and how far its bar was.
QString DialogState() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QProgressDialog*>(widget);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        return QString("\"%1\" at %2/%3").arg(dialog->labelText()).arg(dialog->value()).arg(dialog->maximum());
    }
    return QString("no dialog shown");
}

// Records the longest gap between the ticks of a timer that runs while the
// window works, and where the work was on both sides of it.
class TickWatch {
public:
    TickWatch() {
        timer_.setInterval(TickMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    }
    void Start() {
        longestMs_ = 0;
        longestCpuMs_ = 0;
        lastCpu_ = ThreadSeconds();
        dialogSeen_ = false;
        timer_.start();
        clock_.start();
        lastState_ = DialogState();
    }
    void Stop() {
        Tick();
        timer_.stop();
    }
    qint64 LongestMs() const { return longestMs_; }
    // The longest gap counted in this thread's processor time: what the work
    // itself kept the loop waiting, whatever else the machine was doing.
    double LongestCpuMs() const { return longestCpuMs_; }
    // The longest processor-time gap inside each step of the work.
    const std::map<QString, double>& LongestCpuByStep() const { return byStep_; }
    bool DialogSeen() const { return dialogSeen_; }
    const QString& GapFrom() const { return gapFrom_; }
    const QString& GapTo() const { return gapTo_; }

private:
    void Tick() {
        const qint64 gap = clock_.restart();
        const double cpu = ThreadSeconds();
        const double cpuGap = (cpu - lastCpu_) * 1000.0;
        lastCpu_ = cpu;
        const QString state = DialogState();
        const QString step = state.section('"', 1, 1);
        double& stepLongest = byStep_[step.isEmpty() ? QString("before the dialog shows") : step];
        stepLongest = std::max(stepLongest, cpuGap);
        longestCpuMs_ = std::max(longestCpuMs_, cpuGap);
        if (state != "no dialog shown") dialogSeen_ = true;
        if (gap > longestMs_) {
            longestMs_ = gap;
            gapFrom_ = lastState_;
            gapTo_ = state;
        }
        lastState_ = state;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longestMs_ = 0;
    double longestCpuMs_ = 0;
    double lastCpu_ = 0;
    std::map<QString, double> byStep_;
    bool dialogSeen_ = false;
    QString lastState_, gapFrom_, gapTo_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: desktop_bench TRIMBLE_FILE\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    FullJob full;
    Job& job = full.Data;
    BenchPrompter prompter;
    MemorySettingsStore settings;
    DataEditor editor(job, prompter);
    ui::MainWindow window(job, editor, prompter, settings);
    window.SetDefaults();
    window.Controls().cboDataType->setCurrentIndex(0);
    window.Controls().txtSourceFileName->setText(QString::fromLocal8Bit(argv[1]));
    window.show();
    QApplication::processEvents();
    const ReadOptions options = window.CurrentReadOptions();

    Best headlessBest;
    Best windowedBest;
    TickWatch watch;
    qint64 longestGap = 0;
    double longestCpuGap = 0;
    std::map<QString, double> byStep;
    QString gapFrom, gapTo;
    bool dialogSeen = false;
    for (int round = 0; round < Rounds; ++round) {
        headlessBest.Keep(MeasureThread([&] {
            tolvanor::NewFile(job, options, prompter);
            editor.ClearProfileList();
            editor.RefreshDataEdit();
        }));
        const auto loaded = job.LineCount;
        watch.Start();
        windowedBest.Keep(MeasureThread([&] { window.NewFile(); }));
        watch.Stop();
        dialogSeen = dialogSeen || watch.DialogSeen();
        longestCpuGap = std::max(longestCpuGap, watch.LongestCpuMs());
        for (const auto& [step, gap] : watch.LongestCpuByStep()) byStep[step] = std::max(byStep[step], gap);
        if (watch.LongestMs() > longestGap) {
            longestGap = watch.LongestMs();
            gapFrom = watch.GapFrom();
            gapTo = watch.GapTo();
        }
        if (job.LineCount != loaded || loaded != FullLines) {
            std::fprintf(stderr, "the window loaded %d lines, headless %d\n", job.LineCount, loaded);
            return 1;
        }
    }

    const Timing& headless = headlessBest.Time;
    const Timing& windowed = windowedBest.Time;
    const double ratio = windowed.Wall / headless.Wall;
    const double cpuRatio = windowed.Cpu / headless.Cpu;
    std::printf("%-46s %8.3fs wall %8.3fs cpu\n", "New File + refresh, headless (best of 3)", headless.Wall,
                headless.Cpu);
    std::printf("%-46s %8.3fs wall %8.3fs cpu\n", "New File through the window (best of 3)", windowed.Wall,
                windowed.Cpu);
    std::printf("%-46s %9.2fx %10s  %s\n", "window / headless, wall time", ratio, "<= 1.3x",
                ratio <= 1.3 ? "ok" : "MISSED");
    std::printf("%-46s %9.2fx %10s  %s\n", "window / headless, processor time", cpuRatio, "<= 1.3x",
                cpuRatio <= 1.3 ? "ok" : "MISSED");
    std::printf("%-46s %8lldms %9s  %s\n", "longest gap between timer ticks, wall", static_cast<long long>(longestGap),
                "<= 100ms", longestGap <= 100 ? "ok" : "MISSED");
    std::printf("  from %s to %s\n", qPrintable(gapFrom), qPrintable(gapTo));
    std::printf("%-46s %8.0fms %9s  %s\n", "longest gap, this thread's processor time", longestCpuGap, "<= 100ms",
                longestCpuGap <= 100 ? "ok" : "MISSED");
    for (const auto& [step, gap] : byStep) std::printf("  in \"%s\": %.0f ms\n", qPrintable(step), gap);
    std::printf("%-46s %10s\n", "progress dialog shown", dialogSeen ? "yes" : "NO");
    return 0;
}
