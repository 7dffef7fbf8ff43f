// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BackgroundFlush.h"

#include <cerrno>

#include <unistd.h>

namespace tolvanor {

BackgroundFlush::BackgroundFlush(int fd) : fd_(fd), thread_([this] { Run(); }) {}

BackgroundFlush::~BackgroundFlush() {
    Finish();
}

void BackgroundFlush::More() {
    {
        const std::lock_guard lock(mutex_);
        ++wanted_;
    }
    changed_.notify_one();
}

int BackgroundFlush::Finish() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_one();
    if (thread_.joinable()) thread_.join();
    return error_;
}

void BackgroundFlush::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || flushed_ != wanted_; });
        if (flushed_ == wanted_) return; // stopping, and every flush asked for is done
        flushed_ = wanted_;
        lock.unlock();
        const int failure = ::fdatasync(fd_) != 0 ? errno : 0;
        lock.lock();
        if (failure != 0 && error_ == 0) error_ = failure;
    }
}

} // namespace tolvanor
