// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>

namespace tolvanor {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

std::string SystemReason(int error) {
    return error != 0 ? std::generic_category().message(error) : std::string("Input/output error");
}

bool Fail(FileReadError& error, int number) {
    error.Missing = number == ENOENT;
    error.Reason = SystemReason(number);
    return false;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, FileReadError& error) {
    bytes.clear();
    error = {};
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return Fail(error, errno);
    try {
        char chunk[1 << 16];
        for (;;) {
            errno = 0;
            const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
            bytes.append(chunk, got);
            if (got < sizeof chunk) break;
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return Fail(error, ENOMEM);
    } catch (const std::length_error&) {
        bytes.clear();
        return Fail(error, EFBIG);
    }
    if (std::ferror(file.get()) != 0) {
        bytes.clear();
        return Fail(error, errno);
    }
    return true;
}

} // namespace tolvanor
