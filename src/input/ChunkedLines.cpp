// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ChunkedLines.h"

#include "core/NumberParsing.h"
#include "core/TextFile.h"
#include "input/LineReader.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace tolvanor {

namespace {

constexpr std::size_t NoLineEnd = static_cast<std::size_t>(-1);
constexpr int MostWorkers = 4;
static_assert(ChunkedLines::Padding >= NumberPadding);

// The last LF in bytes [from, to), or NoLineEnd.
std::size_t LastLineEnd(const char* bytes, std::size_t from, std::size_t to) noexcept {
    for (std::size_t at = to; at > from; --at) {
        if (bytes[at - 1] == '\n') return at - 1;
    }
    return NoLineEnd;
}

} // namespace

int ChunkSettings::DefaultWorkers() noexcept {
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, MostWorkers);
}

ChunkedLines::ChunkedLines(ByteSource& source, const ChunkSettings& settings)
    : source_(source), chunkBytes_(std::max<std::size_t>(settings.ChunkBytes, 1)),
      workers_(std::clamp(settings.Workers, 0, MostWorkers)),
      // Two chunks per worker: one being parsed while the other waits its turn to be stored.
      slots_(static_cast<std::size_t>(std::max(2 * workers_, 1))) {}

void ChunkedLines::Run(const ParseFn& parse, const ConsumeFn& consume) {
    if (workers_ == 0) {
        RunOnCaller(parse, consume);
        return;
    }
    {
        // Ends and joins the workers however the run ends, a thrown failure included.
        struct Workers {
            ChunkedLines& lines;
            std::vector<std::thread> threads;
            ~Workers() {
                {
                    const std::lock_guard lock(lines.mutex_);
                    lines.stopping_ = true;
                }
                lines.changed_.notify_all();
                for (auto& thread : threads) thread.join();
            }
        } workers{*this, {}};
        workers.threads.reserve(static_cast<std::size_t>(workers_));
        for (int i = 0; i < workers_; ++i) workers.threads.emplace_back([this, &parse] { Work(parse); });
        ConsumeInOrder(consume);
    }
    // A worker's failure is passed on once every worker has ended.
    if (failure_ != nullptr) std::rethrow_exception(failure_);
}

void ChunkedLines::RunOnCaller(const ParseFn& parse, const ConsumeFn& consume) {
    Slot& slot = slots_.front();
    for (;;) {
        Cut(slot);
        parse(0, slot.Info);
        if (!consume(0, slot.Info) || slot.Info.Last) return;
    }
}

// A worker takes the reading turn, cuts the next chunk into the next slot in
// order, gives the turn up and parses the chunk while another worker reads.
void ChunkedLines::Work(const ParseFn& parse) {
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] {
                return stopping_ || sourceDone_ ||
                       (!reading_ && slots_[nextToCut_ % slots_.size()].State == SlotState::Free);
            });
            if (stopping_ || sourceDone_) return;
            index = static_cast<std::size_t>(nextToCut_++ % slots_.size());
            slots_[index].State = SlotState::Parsing;
            reading_ = true;
        }
        Slot& slot = slots_[index];
        std::exception_ptr failure;
        try {
            Cut(slot);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            reading_ = false;
            if (slot.Info.Last) sourceDone_ = true;
        }
        changed_.notify_all();
        if (failure == nullptr) {
            try {
                parse(index, slot.Info);
            } catch (...) {
                failure = std::current_exception();
            }
        }
        {
            const std::lock_guard lock(mutex_);
            slot.State = SlotState::Parsed;
            if (failure != nullptr && failure_ == nullptr) failure_ = failure;
            if (failure != nullptr) stopping_ = true;
        }
        changed_.notify_all();
    }
}

// Hands the parsed chunks to `consume` in the source's order until the last
// one, a stop, or a worker's failure.
void ChunkedLines::ConsumeInOrder(const ConsumeFn& consume) {
    for (;;) {
        const auto index = static_cast<std::size_t>(nextToConsume_ % slots_.size());
        Slot& slot = slots_[index];
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return failure_ != nullptr || slot.State == SlotState::Parsed; });
            if (failure_ != nullptr) return;
        }
        const bool more = consume(index, slot.Info) && !slot.Info.Last;
        {
            const std::lock_guard lock(mutex_);
            slot.State = SlotState::Free;
            ++nextToConsume_;
            if (!more) stopping_ = true;
        }
        changed_.notify_all();
        if (!more) return;
    }
}

// Fills the slot with the unfinished line left over and whole lines read
// behind it, up to the chunk size and on to the next line end. A line
// longer than the buffer grows it. Only the holder of the reading turn calls this.
void ChunkedLines::Cut(Slot& slot) {
    auto& bytes = slot.Bytes;
    if (bytes.size() < chunkBytes_ + carry_.size() + Padding) bytes.resize(chunkBytes_ + carry_.size() + Padding);
    std::size_t length = carry_.size();
    if (length > 0) std::memcpy(bytes.data(), carry_.data(), length);
    carry_.clear();

    Chunk info;
    std::size_t lastLineEnd = NoLineEnd; // the carried text holds none
    std::size_t end = 0;
    for (;;) {
        if (length >= chunkBytes_ && lastLineEnd != NoLineEnd) {
            end = lastLineEnd + 1;
            break;
        }
        const std::size_t before = length;
        length = ReadMore(slot, length);
        if (length == before) {
            info.Last = true;
            // A failed read keeps the whole lines only, as the line reader does.
            info.SourceFailed = source_.Failed();
            end = !info.SourceFailed ? length : (lastLineEnd == NoLineEnd ? 0 : lastLineEnd + 1);
            break;
        }
        if (const auto found = LastLineEnd(bytes.data(), before, length); found != NoLineEnd) lastLineEnd = found;
    }
    if (!info.Last) carry_.assign(bytes.data() + end, bytes.data() + length);

    info.Text = std::string_view(bytes.data(), end);
    if (firstChunk_) {
        firstChunk_ = false;
        info.Text = WithoutByteOrderMark(info.Text);
        if (info.Text.empty() && end > 0) {
            // A source of the mark alone is one empty line, as the line reader has it.
            bytes[0] = '\n';
            info.Text = std::string_view(bytes.data(), 1);
        }
    }
    info.BytesRead = bytesRead_ - static_cast<std::int64_t>(carry_.size());
    slot.Info = info;
}

// Reads behind the `length` bytes held, growing the buffer when it is full
// (the padding stays free); the new length, unchanged at the end of the
// source or on a failure.
std::size_t ChunkedLines::ReadMore(Slot& slot, std::size_t length) {
    auto& bytes = slot.Bytes;
    if (length + Padding == bytes.size()) bytes.resize(bytes.size() * 2);
    const std::size_t count = source_.Read(bytes.data() + length, bytes.size() - Padding - length);
    bytesRead_ += static_cast<std::int64_t>(count);
    return length + count;
}

} // namespace tolvanor
