// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PassWorker.h"

#include <utility>

namespace tolvanor {

PassWorker::PassWorker(bool threaded) {
    if (threaded && std::thread::hardware_concurrency() > 1) thread_ = std::thread([this] { Loop(); });
}

PassWorker::~PassWorker() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void PassWorker::Start(std::function<void()> task) {
    if (!thread_.joinable()) {
        task();
        return;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    task_ = std::move(task);
    busy_ = true;
    lock.unlock();
    changed_.notify_all();
}

void PassWorker::Wait() {
    if (!thread_.joinable()) return;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void PassWorker::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return task_ != nullptr || stopping_; });
        if (task_ == nullptr) return; // stopping, with nothing left to do
        auto task = std::move(task_);
        task_ = nullptr;
        lock.unlock();
        task();
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace tolvanor
