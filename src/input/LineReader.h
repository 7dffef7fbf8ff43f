// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tolvanor {

// Where the bytes of a source come from: a file, or text already in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `capacity` bytes; 0 at the end or on a failure.
    virtual std::size_t Read(char* into, std::size_t capacity) = 0;
    virtual bool Failed() const = 0;
    // Total size in bytes when known, else 0 (for progress only).
    virtual std::int64_t Size() const = 0;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool IsOpen() const noexcept { return file_ != nullptr; }
    std::size_t Read(char* into, std::size_t capacity) override;
    bool Failed() const override;
    std::int64_t Size() const override { return size_; }

private:
    std::FILE* file_ = nullptr;
    std::int64_t size_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) noexcept
        : bytes_(bytes), size_(static_cast<std::int64_t>(bytes.size())) {}
    std::size_t Read(char* into, std::size_t capacity) override;
    bool Failed() const override { return false; }
    std::int64_t Size() const override { return size_; }

private:
    std::string_view bytes_; // what is left to read
    std::int64_t size_;
};

// Splits a source into lines, reading it in blocks. A line ends at LF
// or at the end of the source; one CR before the end is dropped; a UTF-8
// byte-order mark at the start of the source is skipped. A line stays valid
// until the next call.
class LineReader {
public:
    static constexpr std::size_t DefaultBlockSize = std::size_t{64} << 10;

    explicit LineReader(ByteSource& source, std::size_t blockSize = DefaultBlockSize);

    // The next line; false at the end of the source or when reading failed.
    bool Next(std::string_view& line);
    bool Failed() const noexcept { return failed_; }
    // Bytes taken from the source so far.
    std::int64_t BytesRead() const noexcept { return bytesRead_; }

private:
    bool Refill();

    ByteSource& source_;
    std::unique_ptr<char[]> buffer_; // not zeroed: only bytes read are looked at
    std::size_t capacity_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::int64_t bytesRead_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
    bool firstLine_ = true;
};

} // namespace tolvanor
