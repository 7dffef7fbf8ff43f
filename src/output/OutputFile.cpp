// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace tolvanor {

OutputFile::OutputFile() : buffer_(new char[BufferSize]) {}

// A file never closed is incomplete: the old one stays.
OutputFile::~OutputFile() = default;

bool OutputFile::Open(const std::string& path, OpenMode mode) {
    if (file_.IsOpen()) Close();
    path_ = path;
    reason_.clear();
    error_ = 0;
    used_ = 0;
    const auto start = mode == OpenMode::Append ? AtomicFile::Start::WithOldContent : AtomicFile::Start::Empty;
    if (!file_.Open(path, start)) {
        Fail(file_.Error());
        return false;
    }
    return true;
}

bool OutputFile::Close() {
    if (!file_.IsOpen()) return !Failed();
    Flush();
    if (Failed()) {
        file_.Abandon();
    } else if (!file_.Commit()) {
        Fail(file_.Error());
    }
    return !Failed();
}

void OutputFile::Discard() noexcept {
    used_ = 0;
    file_.Abandon();
}

void OutputFile::PutManySpaces(std::size_t count) {
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
    if (file_.IsOpen() && !Failed() && !file_.Write(std::string_view(buffer_.get(), used_))) Fail(file_.Error());
    used_ = 0;
}

void OutputFile::WriteLarge(std::string_view text) {
    Flush();
    if (!file_.IsOpen() || Failed()) return;
    if (!file_.Write(text)) Fail(file_.Error());
}

void OutputFile::Fail(int error) {
    if (Failed()) return;
    error_ = error;
    reason_ = error != 0 ? std::generic_category().message(error) : std::string("Input/output error");
}

} // namespace tolvanor
