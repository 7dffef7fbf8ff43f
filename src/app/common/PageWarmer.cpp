// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/common/PageWarmer.h"

#include <algorithm>
#include <cerrno>
#include <sys/mman.h>
#include <system_error>

namespace tolvanor {

namespace {

// One call per huge page, so Wait is never behind by more than one.
constexpr std::size_t StepBytes = std::size_t{2} << 20;
constexpr int ThreadCount = 2;

} // namespace

PageWarmer::~PageWarmer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        ranges_.clear();
    }
    work_.notify_all();
    for (auto& thread : threads_) thread.join();
}

void PageWarmer::Warm(std::byte* begin, std::byte* end) {
    if (begin >= end) return;
    {
        std::lock_guard lock(mutex_);
        if (unsupported_) return;
        ranges_.push_back({begin, end});
        if (threads_.empty()) StartThreads();
    }
    work_.notify_all();
}

// A machine that cannot start a thread just faults on first touch.
void PageWarmer::StartThreads() {
    try {
        for (int i = 0; i < ThreadCount; ++i) threads_.emplace_back([this] { Run(); });
    } catch (const std::system_error&) {
        if (threads_.empty()) {
            ranges_.clear();
            unsupported_ = true;
        }
    }
}

void PageWarmer::Wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return ranges_.empty() && busy_ == 0; });
}

std::size_t PageWarmer::WarmedBytes() {
    std::lock_guard lock(mutex_);
    return warmedBytes_;
}

void PageWarmer::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        work_.wait(lock, [this] { return stopping_ || !ranges_.empty(); });
        if (stopping_) return;
        Range& range = ranges_.front();
        std::byte* begin = range.Begin;
        const std::size_t bytes = std::min(StepBytes, static_cast<std::size_t>(range.End - begin));
        range.Begin += bytes;
        if (range.Begin == range.End) ranges_.pop_front();
        ++busy_;
        lock.unlock();
        const bool done = ::madvise(begin, bytes, MADV_POPULATE_WRITE) == 0;
        const bool unsupported = !done && errno == EINVAL;
        lock.lock();
        --busy_;
        if (done) warmedBytes_ += bytes;
        if (unsupported) {
            unsupported_ = true;
            ranges_.clear();
        }
        if (ranges_.empty() && busy_ == 0) idle_.notify_all();
    }
}

} // namespace tolvanor
