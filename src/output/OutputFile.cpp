// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace tolvanor {

OutputFile::OutputFile() : buffer_(new char[BufferSize]) {}

OutputFile::~OutputFile() {
    if (file_ != nullptr) std::fclose(file_);
}

bool OutputFile::Open(const std::string& path, OpenMode mode) {
    if (file_ != nullptr) Close();
    path_ = path;
    reason_.clear();
    error_ = 0;
    used_ = 0;
    errno = 0;
    file_ = std::fopen(path.c_str(), mode == OpenMode::Append ? "ab" : "wb");
    if (file_ == nullptr) {
        Fail(errno);
        return false;
    }
    // Our own buffer already gathers the writes.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

bool OutputFile::Close() {
    if (file_ == nullptr) return !Failed();
    Flush();
    errno = 0;
    if (std::fclose(file_) != 0) Fail(errno);
    file_ = nullptr;
    return !Failed();
}

void OutputFile::PutSpaces(std::size_t count) {
    while (count > 0) {
        if (used_ == BufferSize) Flush();
        const std::size_t step = std::min(count, BufferSize - used_);
        std::memset(buffer_.get() + used_, ' ', step);
        used_ += step;
        count -= step;
    }
}

void OutputFile::Flush() {
    if (used_ == 0) return;
    if (file_ != nullptr && !Failed()) {
        errno = 0;
        if (std::fwrite(buffer_.get(), 1, used_, file_) != used_) Fail(errno);
    }
    used_ = 0;
}

void OutputFile::WriteLarge(std::string_view text) {
    Flush();
    if (file_ == nullptr || Failed()) return;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail(errno);
}

void OutputFile::Fail(int error) {
    if (Failed()) return;
    error_ = error;
    reason_ = error != 0 ? std::generic_category().message(error) : std::string("Input/output error");
}

} // namespace tolvanor
