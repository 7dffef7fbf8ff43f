// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tolvanor {

class BackgroundFlush;

// A file that appears under its name only when it is complete. It is
// written beside its target (same folder, so the final rename cannot cross
// file systems), flushed to the disk with its folder, and renamed over the
// target; until then the target keeps exactly what it held. Job files and
// every deliverable are written through it.
//
// Where the system offers unnamed files (Linux), the file has no name until
// it is complete, so no kill, signal or crash can leave one behind. Else it
// is TemporaryPath(target), created afresh each time (a stale one left by an
// interrupted earlier save is replaced), with interrupt and terminate
// signals held back while it exists.
//
// A target the user may not write is not replaced; a replaced file keeps its
// permission bits; a symbolic link stays and the file it names is replaced.
// A target that is a device or a pipe is written in place.
class AtomicFile {
public:
    enum class Start {
        Empty,          // the new file replaces the old one
        WithOldContent, // the new file begins with the old file's bytes (appending)
    };

    AtomicFile();
    // An open file is abandoned: the target keeps its old content.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False, with the reason, when the file cannot be made.
    bool Open(const std::string& target, Start start);
    bool IsOpen() const noexcept { return fd_ >= 0; }
    // Writes everything or fails (and then keeps the reason).
    bool Write(std::string_view bytes);
    // Flushes, names and renames the file over the target. False when any step failed;
    // the target is then as it was and nothing is left behind.
    bool Commit();
    // Drops the new file; the target keeps its old content.
    void Abandon() noexcept;

    // The system's error number of the first failure (0 when none).
    int Error() const noexcept { return error_; }
    std::string Reason() const;

    // The name a new file has beside its target while it is not yet complete.
    static std::string TemporaryPath(const std::string& target);

private:
    bool Fail(int error) noexcept;
    bool OpenDirect(Start start);
    bool CreateUnnamed();
    bool CreateNamed();
    bool CopyOldContent();
    bool GiveTemporaryName();
    void StartWriteBack() noexcept;
    void FlushInBackground() noexcept;
    bool FinishBackgroundFlush() noexcept;
    void HoldSignals() noexcept;
    void ReleaseSignals() noexcept;

    std::string target_;    // the file finally replaced (a link resolved)
    std::string folder_;    // its folder
    std::string temporary_; // TemporaryPath(target_)
    int fd_ = -1;
    bool direct_ = false;      // a device or pipe, written in place
    bool named_ = false;       // the file has its temporary name
    bool signalsHeld_ = false; // a named file: interrupt signals waiting
    bool targetExists_ = false;
    unsigned targetMode_ = 0;
    std::int64_t targetBytes_ = 0; // the old file's size
    int error_ = 0;
    std::int64_t written_ = 0;               // bytes written by Write
    std::int64_t writtenBack_ = 0;           // of which the disk has been asked to take
    std::unique_ptr<BackgroundFlush> flush_; // a large file flushed while it grows
    struct SignalMask;
    std::unique_ptr<SignalMask> savedSignals_; // the mask before HoldSignals
};

// Holds back interrupt and terminate requests on the calling thread, and on
// the threads it starts while this lives, until it is destroyed (they then
// take effect as usual). A file written on a worker thread holds them back
// only on its own thread, so whoever starts such workers holds them here.
class HeldInterrupts {
public:
    HeldInterrupts() noexcept;
    ~HeldInterrupts();
    HeldInterrupts(const HeldInterrupts&) = delete;
    HeldInterrupts& operator=(const HeldInterrupts&) = delete;

private:
    alignas(8) unsigned char saved_[128]; // the thread's signal mask before
    bool held_ = false;
};

} // namespace tolvanor
