// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/WriteOutputFiles.h"

#include "core/AtomicFile.h"
#include "core/Job.h"
#include "core/Progress.h"
#include "output/Deliverables.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace tolvanor {

namespace {

constexpr unsigned MaxWorkers = 4;
constexpr auto ProgressInterval = std::chrono::milliseconds(50);

// One format's lines done, set by whichever thread writes it.
class FormatProgress final : public Progress {
public:
    void Report(std::int64_t done, std::int64_t) override { done_.store(done, std::memory_order_relaxed); }
    std::int64_t Done() const noexcept { return done_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::int64_t> done_{0};
};

// A format written on the calling thread reports straight on, after the formats before it.
class OffsetProgress final : public Progress {
public:
    OffsetProgress(Progress& target, std::int64_t offset, std::int64_t total)
        : target_(target), offset_(offset), total_(total) {}
    void Report(std::int64_t done, std::int64_t) override { target_.Report(offset_ + done, total_); }

private:
    Progress& target_;
    std::int64_t offset_;
    std::int64_t total_;
};

// What is left of a format that could not even start (no memory).
OutputResult NotWritten(OutputFormat format, const OutputOptions& options, std::string_view folder) {
    OutputResult result;
    result.Status = OutputStatus::Failed;
    result.FailedPath = SingleFilePath(folder, options, format);
    result.Reason = std::generic_category().message(ENOMEM);
    return result;
}

OutputResult WriteOne(OutputFormat format, const Job& job, const OutputOptions& options, std::string_view folder,
                      Progress* progress) noexcept {
    try {
        return WriteOutputFile(format, job, options, folder, progress);
    } catch (...) {
        try {
            return NotWritten(format, options, folder);
        } catch (...) {
            return OutputResult{OutputStatus::Failed, {}, {}, {}, 0};
        }
    }
}

// How long a format takes to write, relative to the others (bytes and
// numbers per shot): the longest are started first, so no worker is left
// with a long one at the end while the others wait.
int WorkWeight(OutputFormat format) noexcept {
    switch (format) {
    case OutputFormat::Xyz:
        return 6;
    case OutputFormat::Csv:
        return 5;
    case OutputFormat::Rer:
        return 4;
    case OutputFormat::Se:
        return 3;
    case OutputFormat::Xls:
        return 2;
    case OutputFormat::Isrp:
        return 1;
    }
    return 0;
}

std::vector<std::size_t> LongestFirst(std::span<const OutputFormat> formats) {
    std::vector<std::size_t> order(formats.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return WorkWeight(formats[a]) > WorkWeight(formats[b]); });
    return order;
}

// The formats still to write, taken one at a time by each worker; the
// calling thread waits and tells the progress how far they all are.
class FormatQueue {
public:
    FormatQueue(std::span<const OutputFormat> formats, const Job& job, const OutputOptions& options,
                std::string_view folder, std::vector<OutputResult>& results)
        : formats_(formats), job_(job), options_(options), folder_(folder), results_(results),
          slots_(std::make_unique<FormatProgress[]>(formats.size())), order_(LongestFirst(formats)) {}

    void Work() noexcept {
        for (;;) {
            const std::size_t taken = next_.fetch_add(1);
            if (taken >= formats_.size()) return;
            const std::size_t index = order_[taken];
            results_[index] = WriteOne(formats_[index], job_, options_, folder_, &slots_[index]);
            {
                const std::lock_guard lock(mutex_);
                ++finished_;
            }
            changed_.notify_one();
        }
    }

    void Wait(Progress* progress, std::int64_t linesPerFormat) {
        const std::int64_t total = linesPerFormat * static_cast<std::int64_t>(formats_.size());
        std::unique_lock lock(mutex_);
        while (!changed_.wait_for(lock, ProgressInterval, [&] { return finished_ == formats_.size(); })) {
            if (progress == nullptr) continue;
            std::int64_t done = 0;
            for (std::size_t i = 0; i < formats_.size(); ++i) done += slots_[i].Done();
            lock.unlock();
            progress->Report(done, total);
            lock.lock();
        }
        lock.unlock();
        ReportProgress(progress, total, total);
    }

private:
    std::span<const OutputFormat> formats_;
    const Job& job_;
    const OutputOptions& options_;
    std::string_view folder_;
    std::vector<OutputResult>& results_;
    std::unique_ptr<FormatProgress[]> slots_;
    std::vector<std::size_t> order_; // indexes into formats_, the longest work first
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t finished_ = 0;
};

void WriteOneAfterAnother(std::span<const OutputFormat> formats, const Job& job, const OutputOptions& options,
                          std::string_view folder, Progress* progress, std::int64_t linesPerFormat,
                          std::vector<OutputResult>& results) {
    const std::int64_t total = linesPerFormat * static_cast<std::int64_t>(formats.size());
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (progress == nullptr) {
            results[i] = WriteOne(formats[i], job, options, folder, nullptr);
            continue;
        }
        OffsetProgress share(*progress, linesPerFormat * static_cast<std::int64_t>(i), total);
        results[i] = WriteOne(formats[i], job, options, folder, &share);
    }
}

void WriteSideBySide(std::span<const OutputFormat> formats, const Job& job, const OutputOptions& options,
                     std::string_view folder, Progress* progress, std::int64_t linesPerFormat, unsigned workers,
                     std::vector<OutputResult>& results) {
    FormatQueue queue(formats, job, options, folder, results);
    // Workers start with this thread's mask: an interrupt waits for every file.
    const HeldInterrupts held;
    std::vector<std::jthread> threads;
    bool allStarted = true;
    try {
        threads.reserve(workers);
        for (unsigned i = 0; i < workers; ++i) threads.emplace_back([&queue] { queue.Work(); });
    } catch (...) {
        allStarted = false;
    }
    // Without all its threads the work still gets done: the caller helps.
    if (!allStarted) queue.Work();
    queue.Wait(progress, linesPerFormat);
}

} // namespace

unsigned OutputWorkerCount() noexcept {
    return std::clamp(std::thread::hardware_concurrency(), 1u, MaxWorkers);
}

std::vector<OutputResult> WriteOutputFiles(std::span<const OutputFormat> formats, const Job& job,
                                           const OutputOptions& options, std::string_view folder, Progress* progress,
                                           unsigned workers) {
    std::vector<OutputResult> results(formats.size());
    if (workers == 0) workers = OutputWorkerCount();
    workers = std::min<unsigned>(workers, static_cast<unsigned>(formats.size()));
    const std::int64_t linesPerFormat = std::max(0, std::min(job.LineCount, job.Data.LineBound()));
    if (workers <= 1) {
        WriteOneAfterAnother(formats, job, options, folder, progress, linesPerFormat, results);
    } else {
        WriteSideBySide(formats, job, options, folder, progress, linesPerFormat, workers, results);
    }
    return results;
}

} // namespace tolvanor
