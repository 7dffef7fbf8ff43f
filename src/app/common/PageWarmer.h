// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace tolvanor {

// Faults pages of private anonymous memory in on a thread of its own, so that
// the thread filling them finds them ready. On a virtual machine the first
// touch of memory the host has not backed yet costs far more than the
// kernel's zeroing (about 0.6 s for 256 MB here), and it is waited out on
// the touching thread. The host serves faults of several threads at once
// (two threads fault 256 MB in 0.27 s), so the warmer has two.
//
// The pages keep their contents (the kernel's populate call only maps them),
// so warming memory another thread already writes is harmless. Every range
// asked for must stay mapped until Wait returns.
class PageWarmer {
public:
    PageWarmer() = default;
    ~PageWarmer();
    PageWarmer(const PageWarmer&) = delete;
    PageWarmer& operator=(const PageWarmer&) = delete;

    // Asks for [begin, end) to be faulted in; returns at once.
    void Warm(std::byte* begin, std::byte* end);
    // Returns when no range asked for is being or waiting to be warmed.
    void Wait();
    // Bytes the kernel has populated so far (for tests).
    std::size_t WarmedBytes();

private:
    struct Range {
        std::byte* Begin;
        std::byte* End;
    };

    void StartThreads();
    void Run();

    std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable idle_;
    std::deque<Range> ranges_;
    int busy_ = 0; // threads populating a step now
    bool stopping_ = false;
    bool unsupported_ = false; // a kernel without the populate call: nothing is warmed
    std::size_t warmedBytes_ = 0;
    std::vector<std::thread> threads_; // started by the first range
};

} // namespace tolvanor
