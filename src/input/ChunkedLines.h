// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

namespace tolvanor {

class ByteSource;

// How a source is cut up and parsed: the worker threads (0 parses on the
// calling thread) and the size at which a chunk is cut at the next line end.
struct ChunkSettings {
    // Large enough that handing chunks between threads costs little (at 64 KB
    // the wake-ups were a tenth of a job read), small enough that the chunks
    // in flight stay a few MB.
    static constexpr std::size_t DefaultChunkBytes = std::size_t{256} << 10;
    // The machine's cores, at least 1 and at most 4.
    static int DefaultWorkers() noexcept;

    int Workers = DefaultWorkers();
    std::size_t ChunkBytes = DefaultChunkBytes;
};

// Whole lines of a source, in order. The last line of the source may lack
// its LF. The text is followed in memory by ChunkedLines::Padding readable bytes.
struct Chunk {
    std::string_view Text;
    std::int64_t BytesRead = 0; // taken from the source up to the end of this chunk
    bool Last = false;          // nothing follows
    bool SourceFailed = false;  // reading failed after this chunk; its unfinished line is dropped
};

// The lines of a chunk as LineReader gives them: each ends at LF or at the
// end of the text, one CR before its end dropped.
class ChunkLines {
public:
    explicit ChunkLines(std::string_view text) noexcept : rest_(text) {}
    bool Next(std::string_view& line) noexcept {
        if (rest_.empty()) return false;
        const auto* newline = static_cast<const char*>(std::memchr(rest_.data(), '\n', rest_.size()));
        std::size_t length = rest_.size();
        std::size_t taken = length;
        if (newline != nullptr) {
            length = static_cast<std::size_t>(newline - rest_.data());
            taken = length + 1;
        }
        line = rest_.substr(0, length > 0 && rest_[length - 1] == '\r' ? length - 1 : length);
        rest_.remove_prefix(taken);
        return true;
    }

private:
    std::string_view rest_;
};

// Cuts a byte source into chunks of whole lines, has workers parse them side
// by side, and hands the parsed chunks back to the calling thread in the
// source's order. Each chunk is parsed into a slot's output, owned by the
// caller and indexed by slot; at most SlotCount() chunks are in flight, so
// the memory used stays bounded whatever the size of the source. A UTF-8
// byte-order mark at the start of the source is dropped, as LineReader does.
class ChunkedLines {
public:
    // Readable bytes after every chunk's text, for conversions that look past a number's end.
    static constexpr std::size_t Padding = 16;

    // On a worker: turns the chunk into the slot's output.
    using ParseFn = std::function<void(std::size_t slot, const Chunk& chunk)>;
    // On the calling thread, chunk after chunk: takes the slot's output; false ends the run.
    using ConsumeFn = std::function<bool(std::size_t slot, const Chunk& chunk)>;

    ChunkedLines(ByteSource& source, const ChunkSettings& settings);
    ChunkedLines(const ChunkedLines&) = delete;
    ChunkedLines& operator=(const ChunkedLines&) = delete;

    std::size_t SlotCount() const noexcept { return slots_.size(); }

    // Runs once, until the source's last chunk is consumed or `consume` says
    // stop. A failure thrown by a parse is thrown again here, after the workers end.
    void Run(const ParseFn& parse, const ConsumeFn& consume);

private:
    enum class SlotState : std::uint8_t { Free, Parsing, Parsed };
    struct Slot {
        std::vector<char> Bytes; // its size is the capacity; the chunk uses the front
        Chunk Info;
        SlotState State = SlotState::Free;
    };

    void RunOnCaller(const ParseFn& parse, const ConsumeFn& consume);
    void Work(const ParseFn& parse);
    void ConsumeInOrder(const ConsumeFn& consume);
    void Cut(Slot& slot);
    std::size_t ReadMore(Slot& slot, std::size_t length);

    ByteSource& source_;
    std::size_t chunkBytes_;
    int workers_;
    std::vector<Slot> slots_;

    // The reading side, used only by whoever holds the reading turn.
    std::vector<char> carry_; // the unfinished line after the last chunk cut
    std::int64_t bytesRead_ = 0;
    bool firstChunk_ = true;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t nextToCut_ = 0;
    std::uint64_t nextToConsume_ = 0;
    bool reading_ = false;    // a worker holds the reading turn
    bool sourceDone_ = false; // the last chunk has been cut
    bool stopping_ = false;
    std::exception_ptr failure_;
};

} // namespace tolvanor
