// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tolvanor {

// Runs one task at a time on a thread of its own, beside the caller's work
// (a whole-job pass, the output's straightening of lines). On a machine of
// one core, or when asked for no thread, each task runs at once instead:
// the results are the same either way.
class PassWorker {
public:
    explicit PassWorker(bool threaded = true);
    ~PassWorker();
    PassWorker(const PassWorker&) = delete;
    PassWorker& operator=(const PassWorker&) = delete;

    // Waits for the task before, then hands over this one.
    void Start(std::function<void()> task);
    // Returns once the task handed over last has finished.
    void Wait();

private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace tolvanor
