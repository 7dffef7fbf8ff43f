// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/LineReader.h"

#include "core/TextFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tolvanor {

FileSource::FileSource(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return;
    // The line reader does its own buffering in big blocks.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error) size_ = static_cast<std::int64_t>(size);
}

FileSource::~FileSource() {
    if (file_ != nullptr) std::fclose(file_);
}

std::size_t FileSource::Read(char* into, std::size_t capacity) {
    if (file_ == nullptr) return 0;
    return std::fread(into, 1, capacity, file_);
}

bool FileSource::Failed() const {
    return file_ == nullptr || std::ferror(file_) != 0;
}

std::size_t MemorySource::Read(char* into, std::size_t capacity) {
    const std::size_t count = std::min(capacity, bytes_.size());
    if (count > 0) std::memcpy(into, bytes_.data(), count);
    bytes_.remove_prefix(count);
    return count;
}

LineReader::LineReader(ByteSource& source, std::size_t blockSize)
    : source_(source), buffer_(new char[std::max<std::size_t>(blockSize, 1)]),
      capacity_(std::max<std::size_t>(blockSize, 1)) {}

bool LineReader::Next(std::string_view& line) {
    for (;;) {
        const char* start = buffer_.get() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        std::size_t length;
        if (newline != nullptr) {
            length = static_cast<std::size_t>(newline - start);
            begin_ += length + 1;
        } else if (atEnd_ && begin_ < end_) {
            // The last line has no line end.
            length = end_ - begin_;
            begin_ = end_;
        } else if (atEnd_ || !Refill()) {
            return false;
        } else {
            continue;
        }
        if (length > 0 && start[length - 1] == '\r') --length;
        line = std::string_view(start, length);
        if (firstLine_) {
            firstLine_ = false;
            line = WithoutByteOrderMark(line);
        }
        return true;
    }
}

// Moves the unfinished line to the front and reads behind it; the buffer
// grows when one line fills it. False when nothing is left to split.
bool LineReader::Refill() {
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == capacity_) {
        // One line fills the whole block: make room for more of it.
        std::unique_ptr<char[]> larger(new char[capacity_ * 2]);
        std::memcpy(larger.get(), buffer_.get(), end_);
        buffer_ = std::move(larger);
        capacity_ *= 2;
    }
    const std::size_t count = source_.Read(buffer_.get() + end_, capacity_ - end_);
    end_ += count;
    bytesRead_ += static_cast<std::int64_t>(count);
    if (count == 0) {
        atEnd_ = true;
        if (source_.Failed()) {
            failed_ = true;
            return false;
        }
    }
    return true;
}

} // namespace tolvanor
