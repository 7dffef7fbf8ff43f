// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicFile.h"

#include "core/BackgroundFlush.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif

namespace tolvanor {

namespace {

constexpr std::string_view TemporarySuffix = ".tolvanor-tmp";
constexpr mode_t NewFileMode = 0666; // less the user's umask

// The file a path finally names: a symbolic link is followed so the link stays.
std::string ResolvedTarget(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const auto resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

std::string FolderOf(const std::string& path) {
    const auto folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

bool WriteAll(int fd, const char* data, std::size_t size, int& error) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A rename is on the disk only when its folder is; a folder that cannot be
// flushed (some file systems refuse) has still been renamed in, so that is
// not a failure of the save.
void FlushFolder(const std::string& folder) noexcept {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Replacing a file frees its blocks and drops its cached pages when the last
// reference to it goes: about 0.1 s for a full job's 227 MB on ext4, inside
// the rename. Holding the old file open across the rename and letting go of
// it on a thread of its own keeps that out of the user's wait. Only for large
// files on local disks: a network share may refuse to replace an open file.
constexpr off_t LargeOldFileBytes = off_t{16} << 20;

bool OnLocalDisk(int fd) noexcept {
#ifdef __linux__
    constexpr long Ext4 = 0xEF53;
    constexpr long Xfs = 0x58465342;
    constexpr long Btrfs = 0x9123683E;
    struct statfs system {};
    if (::fstatfs(fd, &system) != 0) return false;
    const long type = static_cast<long>(system.f_type);
    return type == Ext4 || type == Xfs || type == Btrfs;
#else
    (void)fd;
    return false;
#endif
}

// The old file open for reading, or -1 when it is not worth holding.
int HoldOldFile(const std::string& target, off_t size) noexcept {
    if (size < LargeOldFileBytes) return -1;
    const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return -1;
    if (OnLocalDisk(fd)) return fd;
    ::close(fd);
    return -1;
}

void LetGoInBackground(int fd) noexcept {
    if (fd < 0) return;
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (...) { // no thread to spare: let go here
        ::close(fd);
    }
}

bool BlockInterrupts(sigset_t& saved) noexcept {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
    return ::pthread_sigmask(SIG_BLOCK, &held, &saved) == 0;
}

} // namespace

struct AtomicFile::SignalMask {
    sigset_t Mask;
};

AtomicFile::AtomicFile() : savedSignals_(std::make_unique<SignalMask>()) {}

AtomicFile::~AtomicFile() {
    Abandon();
}

std::string AtomicFile::TemporaryPath(const std::string& target) {
    return target + std::string(TemporarySuffix);
}

std::string AtomicFile::Reason() const {
    return std::generic_category().message(error_ != 0 ? error_ : EIO);
}

bool AtomicFile::Fail(int error) noexcept {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
    return false;
}

bool AtomicFile::Open(const std::string& target, Start start) {
    Abandon();
    error_ = 0;
    written_ = 0;
    writtenBack_ = 0;
    target_ = ResolvedTarget(target);
    folder_ = FolderOf(target_);
    temporary_ = TemporaryPath(target_);

    struct stat old {};
    targetBytes_ = 0;
    targetExists_ = ::stat(target_.c_str(), &old) == 0;
    if (targetExists_) {
        if (S_ISDIR(old.st_mode)) return Fail(EISDIR);
        if (!S_ISREG(old.st_mode)) return OpenDirect(start);
        // Replacing needs only the folder's permission; the user's own
        // protection of the file is respected.
        if (::access(target_.c_str(), W_OK) != 0) return Fail(errno);
        targetMode_ = old.st_mode & 07777;
        targetBytes_ = old.st_size;
    }
    if (!CreateUnnamed() && !CreateNamed()) return false;
    if (targetExists_ && ::fchmod(fd_, static_cast<mode_t>(targetMode_)) != 0) {
        const int error = errno;
        Abandon();
        return Fail(error);
    }
    if (start == Start::WithOldContent && targetExists_ && !CopyOldContent()) {
        Abandon();
        return false;
    }
    return true;
}

// A device or pipe is written as it is: there is nothing to replace, and
// replacing it by a file would be wrong.
bool AtomicFile::OpenDirect(Start start) {
    const int flags = O_WRONLY | O_CLOEXEC | (start == Start::WithOldContent ? O_APPEND : O_TRUNC);
    fd_ = ::open(target_.c_str(), flags);
    if (fd_ < 0) return Fail(errno);
    direct_ = true;
    return true;
}

// An unnamed file in the target's folder: nothing to clean up, whatever happens.
bool AtomicFile::CreateUnnamed() {
#ifdef O_TMPFILE
    fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, NewFileMode);
    if (fd_ >= 0) return true;
    // Only a file system without unnamed files falls back to a named one.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Fail(errno);
#endif
    return false;
}

bool AtomicFile::CreateNamed() {
    if (error_ != 0) return false;
    HoldSignals();
    // A stale file of an interrupted earlier save goes; a new one is made so
    // that nothing (not a link planted there) is written through.
    if (::unlink(temporary_.c_str()) != 0 && errno != ENOENT) {
        ReleaseSignals();
        return Fail(errno);
    }
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, NewFileMode);
    if (fd_ < 0) {
        const int error = errno;
        ReleaseSignals();
        return Fail(error);
    }
    named_ = true;
    return true;
}

bool AtomicFile::CopyOldContent() {
    const int from = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return Fail(errno);
    char block[1 << 16];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(from, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ok = Fail(errno);
            break;
        }
        if (got == 0) break;
        int error = 0;
        if (!WriteAll(fd_, block, static_cast<std::size_t>(got), error)) {
            ok = Fail(error);
            break;
        }
    }
    ::close(from);
    return ok;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0 || error_ != 0) return Fail(EBADF);
    int error = 0;
    if (!WriteAll(fd_, bytes.data(), bytes.size(), error)) return Fail(error);
    written_ += static_cast<std::int64_t>(bytes.size());
    StartWriteBack();
    return true;
}

// The disk starts on what is written while the rest is still being made, so
// the flush before the rename has little left to wait for.
void AtomicFile::StartWriteBack() noexcept {
    constexpr std::int64_t Step = std::int64_t{8} << 20;
    if (direct_ || written_ - writtenBack_ < Step) return;
#ifdef SYNC_FILE_RANGE_WRITE
    ::sync_file_range(fd_, writtenBack_, written_ - writtenBack_, SYNC_FILE_RANGE_WRITE);
#endif
    writtenBack_ = written_;
    FlushInBackground();
}

// Without a thread to spare, the flush before the rename does it all.
void AtomicFile::FlushInBackground() noexcept {
    try {
        if (!flush_) flush_ = std::make_unique<BackgroundFlush>(fd_);
        flush_->More();
    } catch (...) {
    }
}

// False, with its reason, when a flush made while the file grew failed.
bool AtomicFile::FinishBackgroundFlush() noexcept {
    if (!flush_) return true;
    const int failure = flush_->Finish();
    flush_.reset();
    return failure == 0 || Fail(failure);
}

// An unnamed file gets the temporary name just before the rename.
bool AtomicFile::GiveTemporaryName() {
    if (named_) return true;
    HoldSignals();
    if (::unlink(temporary_.c_str()) != 0 && errno != ENOENT) return Fail(errno);
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) != 0) return Fail(errno);
    named_ = true;
    return true;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) return Fail(EBADF);
    if (direct_) {
        bool ok = error_ == 0;
        if (::close(fd_) != 0 && ok) ok = Fail(errno);
        fd_ = -1;
        direct_ = false;
        return ok;
    }
    bool ok = FinishBackgroundFlush() && error_ == 0;
    if (ok && ::fsync(fd_) != 0) ok = Fail(errno);
    if (ok) ok = GiveTemporaryName();
    if (::close(fd_) != 0 && ok) ok = Fail(errno);
    fd_ = -1;
    const int oldFile = ok && targetExists_ ? HoldOldFile(target_, targetBytes_) : -1;
    if (ok && ::rename(temporary_.c_str(), target_.c_str()) != 0) ok = Fail(errno);
    LetGoInBackground(oldFile);
    if (!ok) {
        Abandon();
        return false;
    }
    named_ = false;
    FlushFolder(folder_);
    ReleaseSignals();
    return true;
}

void AtomicFile::Abandon() noexcept {
    flush_.reset(); // before the file it flushes is closed
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    direct_ = false;
    if (named_) ::unlink(temporary_.c_str());
    named_ = false;
    ReleaseSignals();
}

// While a named file exists, an interrupt or terminate request waits until
// it is renamed or removed (the request then takes effect as usual).
void AtomicFile::HoldSignals() noexcept {
    if (signalsHeld_) return;
    signalsHeld_ = BlockInterrupts(savedSignals_->Mask);
}

void AtomicFile::ReleaseSignals() noexcept {
    if (!signalsHeld_) return;
    ::pthread_sigmask(SIG_SETMASK, &savedSignals_->Mask, nullptr);
    signalsHeld_ = false;
}

static_assert(sizeof(sigset_t) <= 128 && alignof(sigset_t) <= 8, "HeldInterrupts keeps a signal mask");

HeldInterrupts::HeldInterrupts() noexcept {
    held_ = BlockInterrupts(*new (saved_) sigset_t);
}

HeldInterrupts::~HeldInterrupts() {
    if (held_) ::pthread_sigmask(SIG_SETMASK, std::launder(reinterpret_cast<const sigset_t*>(saved_)), nullptr);
}

} // namespace tolvanor
