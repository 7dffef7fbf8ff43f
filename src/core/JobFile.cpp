// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/JobFile.h"

#include "core/AtomicFile.h"
#include "core/Job.h"
#include "core/JobFileNumbers.h"
#include "core/Progress.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace tolvanor {

namespace {

// About 400 KB of text per block; two blocks per worker in memory at once.
constexpr std::int64_t BlockRecords = 4096;
constexpr unsigned MaxWorkers = 4;
// The longest record text without its four texts: 17 fields of at most 24 characters.
constexpr std::size_t MaxNumbersSize = 17 * 25 + 2;

// A value the reader reads back exactly: the shortest round-trip text,
// "0" for either zero. Values no text can carry (infinities, NaN) are
// written as the nearest finite value, so a saved job always reopens.
template <typename Real> char* PutNumber(char* out, Real value) {
    if (value == 0 || std::isnan(value)) {
        *out = '0';
        return out + 1;
    }
    if (std::isinf(value)) value = value > 0 ? std::numeric_limits<Real>::max() : std::numeric_limits<Real>::lowest();
    return PutShortest(out, value);
}

char* PutInteger(char* out, std::int64_t value) {
    return std::to_chars(out, out + 24, value).ptr;
}

// " 12" for a non-negative index, "-3" otherwise.
char* PutIndex(char* out, std::int64_t value) {
    if (value >= 0) *out++ = ' ';
    return PutInteger(out, value);
}

char* PutText(char* out, std::string_view text) {
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* PutUpperText(char* out, std::string_view text) {
    for (char c : text) *out++ = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return out;
}

// A growing text whose room is not cleared before it is written over.
class TextBuffer {
public:
    // Room for `size` more characters at the end.
    char* Room(std::size_t size) {
        if (capacity_ - size_ < size) Grow(size_ + size);
        return data_.get() + size_;
    }
    // The text now ends at `end`, within the last room given.
    void EndAt(const char* end) noexcept { size_ = static_cast<std::size_t>(end - data_.get()); }
    void Clear() noexcept { size_ = 0; }
    std::string_view View() const noexcept { return {data_.get(), size_}; }

private:
    void Grow(std::size_t needed) {
        const std::size_t capacity = std::max(needed, 2 * capacity_);
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
        data_ = std::move(data);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// The texts of one record, at the end of `out`.
void PutRecord(TextBuffer& out, std::int32_t line, std::int32_t shot, const ShotRecord& record) {
    const auto remark = record.Remark();
    const auto shotType = record.ShotType();
    const auto surveyType = record.SurveyType();
    const auto profile = record.ProfileNumber();
    char* at = out.Room(MaxNumbersSize + remark.size() + shotType.size() + surveyType.size() + profile.size());
    at = PutIndex(at, line);
    *at++ = ',';
    at = PutIndex(at, shot);
    *at++ = ',';
    at = PutInteger(at, record.SeqNum);
    *at++ = ',';
    at = PutNumber(at, record.Easting);
    *at++ = ',';
    at = PutNumber(at, record.Northing);
    *at++ = ',';
    at = PutNumber(at, record.Elevation);
    *at++ = ',';
    at = PutText(at, remark);
    *at++ = ',';
    at = PutNumber(at, record.DistDownRange);
    *at++ = ',';
    at = PutText(at, shotType);
    *at++ = ',';
    at = PutText(at, surveyType);
    *at++ = ',';
    at = PutText(at, record.Ignore ? std::string_view("True") : std::string_view("False"));
    *at++ = ',';
    at = PutUpperText(at, profile);
    for (const float value : {record.DBT, record.Tide, record.Heave, record.Pitch, record.Roll}) {
        *at++ = ',';
        at = PutNumber(at, value);
    }
    *at++ = '\r';
    *at++ = '\n';
    out.EndAt(at);
}

// The records of lines First..Last: the file in pieces that can be made
// side by side and written in order.
struct Block {
    std::int32_t First = 0;
    std::int32_t Last = 0;
    std::int64_t Records = 0;
};

// Counts are kept within the table, so a damaged header cannot walk off it.
std::int32_t ShotsOf(const Job& job, std::int32_t line) {
    return std::min(job.ShotCount(line), job.Data.ShotBound());
}

std::vector<Block> Blocks(const Job& job) {
    const std::int32_t lastLine = std::min(job.LineCount, job.Data.LineBound());
    std::vector<Block> blocks;
    Block block;
    for (std::int32_t line = 0; line <= lastLine; ++line) {
        if (block.Records == 0) block.First = line;
        block.Last = line;
        block.Records += std::max(ShotsOf(job, line), -1) + 1;
        if (block.Records >= BlockRecords) {
            blocks.push_back(block);
            block = {};
        }
    }
    if (block.Records > 0 || blocks.empty()) blocks.push_back(block);
    return blocks;
}

void PutBlock(TextBuffer& out, const Job& job, const Block& block) {
    out.Clear();
    for (std::int32_t line = block.First; line <= block.Last; ++line) {
        const std::int32_t shots = ShotsOf(job, line);
        for (std::int32_t shot = 0; shot <= shots; ++shot) {
            const ShotRecord& record = job.Data.At(line, shot);
            PrefetchShotsAfter(record);
            PutRecord(out, line, shot, record);
        }
    }
}

// Blocks made on worker threads into a few reused buffers, handed to the
// sink on the calling thread in file order: block b goes into buffer
// b % buffers once block b - buffers has been written from it.
class BlockQueue {
public:
    BlockQueue(const Job& job, const std::vector<Block>& blocks, std::size_t buffers)
        : job_(job), blocks_(blocks), texts_(buffers), owner_(buffers), ready_(buffers, false) {
        for (std::size_t i = 0; i < buffers; ++i) owner_[i] = i;
    }

    void Work() noexcept {
        for (;;) {
            const std::size_t block = next_.fetch_add(1);
            if (block >= blocks_.size()) return;
            const std::size_t slot = block % texts_.size();
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stopped_ || owner_[slot] == block; });
                if (stopped_) return;
            }
            bool made = true;
            try {
                PutBlock(texts_[slot], job_, blocks_[block]);
            } catch (...) {
                made = false;
            }
            {
                const std::lock_guard lock(mutex_);
                ready_[slot] = true;
                if (!made) outOfMemory_ = stopped_ = true;
            }
            changed_.notify_all();
        }
    }

    // False when the sink refuses a block or a block could not be made.
    template <typename Sink> bool Deliver(Sink& sink, Progress* progress, std::int64_t total) {
        std::int64_t done = 0;
        for (std::size_t block = 0; block < blocks_.size(); ++block) {
            const std::size_t slot = block % texts_.size();
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stopped_ || ready_[slot]; });
                if (stopped_) return false;
            }
            if (!Hand(sink, texts_[slot].View())) return false;
            done += blocks_[block].Records;
            ReportProgress(progress, done, total);
            {
                const std::lock_guard lock(mutex_);
                ready_[slot] = false;
                owner_[slot] = block + texts_.size();
            }
            changed_.notify_all();
        }
        return true;
    }

    // Stops the workers at a refused block or a sink out of memory.
    template <typename Sink> bool Hand(Sink& sink, std::string_view text) noexcept {
        bool taken = false;
        try {
            taken = sink(text);
        } catch (...) {
            const std::lock_guard lock(mutex_);
            outOfMemory_ = true;
        }
        if (!taken) Stop();
        return taken;
    }

    void Stop() noexcept {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
    }

    bool OutOfMemory() {
        const std::lock_guard lock(mutex_);
        return outOfMemory_;
    }

private:
    const Job& job_;
    const std::vector<Block>& blocks_;
    std::vector<TextBuffer> texts_;
    std::vector<std::size_t> owner_; // the block each buffer waits for or holds
    std::vector<bool> ready_;
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopped_ = false;
    bool outOfMemory_ = false;
};

unsigned WorkerCount() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, MaxWorkers);
}

template <typename Sink>
bool WriteOneAfterAnother(const Job& job, const std::vector<Block>& blocks, Sink& sink, Progress* progress,
                          std::int64_t total) {
    TextBuffer text;
    std::int64_t done = 0;
    for (const Block& block : blocks) {
        PutBlock(text, job, block);
        if (!sink(text.View())) return false;
        done += block.Records;
        ReportProgress(progress, done, total);
    }
    return true;
}

// Nothing when not even one worker could be started.
template <typename Sink>
std::optional<bool> WriteSideBySide(const Job& job, const std::vector<Block>& blocks, Sink& sink, Progress* progress,
                                    std::int64_t total, unsigned workers, bool& outOfMemory) {
    BlockQueue queue(job, blocks, 2 * static_cast<std::size_t>(workers));
    bool delivered = false;
    {
        std::vector<std::jthread> threads;
        // Whatever happens, waiting workers are released before they are joined.
        const struct StopAtEnd {
            BlockQueue& Queue;
            ~StopAtEnd() { Queue.Stop(); }
        } stopAtEnd{queue};
        threads.reserve(workers);
        try {
            for (unsigned i = 0; i < workers; ++i) threads.emplace_back([&queue] { queue.Work(); });
        } catch (const std::system_error&) {
            if (threads.empty()) return std::nullopt;
        }
        delivered = queue.Deliver(sink, progress, total);
    }
    outOfMemory = queue.OutOfMemory();
    return delivered && !outOfMemory;
}

// The whole text through the sink, block by block. False when the sink
// fails (its own reason) or memory ran out (`outOfMemory`).
template <typename Sink>
bool WriteJobText(const Job& job, Sink& sink, Progress* progress, unsigned workers, bool& outOfMemory) noexcept {
    outOfMemory = false;
    try {
        const std::vector<Block> blocks = Blocks(job);
        std::int64_t total = 0;
        for (const Block& block : blocks) total += block.Records;
        workers = static_cast<unsigned>(std::min<std::size_t>(workers, blocks.size()));
        if (workers > 1) {
            if (const auto written = WriteSideBySide(job, blocks, sink, progress, total, workers, outOfMemory)) {
                return *written;
            }
        }
        return WriteOneAfterAnother(job, blocks, sink, progress, total);
    } catch (...) { // no memory for the work
        outOfMemory = true;
        return false;
    }
}

} // namespace

JobFileStatus WriteJobFile(const Job& job, const std::string& path, Progress* progress, unsigned workers) {
    AtomicFile file;
    if (!file.Open(path, AtomicFile::Start::Empty)) return {false, file.Reason()};
    auto sink = [&file](std::string_view bytes) { return file.Write(bytes); };
    bool outOfMemory = false;
    if (!WriteJobText(job, sink, progress, workers == 0 ? WorkerCount() : workers, outOfMemory) || !file.Commit()) {
        file.Abandon();
        return {false, outOfMemory ? std::generic_category().message(ENOMEM) : file.Reason()};
    }
    return {};
}

std::string JobFileText(const Job& job, unsigned workers) {
    std::string text;
    auto sink = [&text](std::string_view bytes) {
        text.append(bytes);
        return true;
    };
    bool outOfMemory = false;
    WriteJobText(job, sink, nullptr, workers == 0 ? WorkerCount() : workers, outOfMemory);
    return text;
}

} // namespace tolvanor
