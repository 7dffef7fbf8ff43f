// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace tolvanor {

// Flushes a file to the disk on a thread of its own while it is still being
// written. The flush before a large file's rename waits for the disk to take
// everything written so far (about 0.1 s for a full job here); flushed as it
// grows, there is little left for that last flush to wait for.
//
// Each flush takes whatever has been written when it starts; when it is done
// the next one starts if more has been written since. The system reports a
// write-back failure only once for an open file, so a failure seen here is
// kept and handed to the caller by Finish.
class BackgroundFlush {
public:
    // Nothing is flushed until More is called. Throws std::system_error when
    // no thread can be started.
    explicit BackgroundFlush(int fd);
    // Finishes, dropping any failure.
    ~BackgroundFlush();
    BackgroundFlush(const BackgroundFlush&) = delete;
    BackgroundFlush& operator=(const BackgroundFlush&) = delete;

    // More has been written: a flush is wanted.
    void More();
    // Waits until what was written before the last More is flushed, and stops
    // the thread. Returns the system's error number of the first failed flush
    // (0 when none).
    int Finish();

private:
    void Run();

    int fd_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t wanted_ = 0;  // More calls so far
    std::uint64_t flushed_ = 0; // of which a flush has started since
    bool stopping_ = false;
    int error_ = 0;
    std::thread thread_; // last: it starts once the rest is set up
};

} // namespace tolvanor
