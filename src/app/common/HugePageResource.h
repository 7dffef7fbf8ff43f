// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <map>
#include <memory_resource>
#include <vector>

#include "app/common/PageWarmer.h"

namespace tolvanor {

// Memory for the survey table's rows. Filling a full table touches about
// 290 MB, and faulting that in 4 KB pages costs more than reading the file;
// in 2 MB pages it costs next to nothing. Large blocks are therefore carved
// from 2 MB-aligned slabs that the kernel is asked to back with transparent
// huge pages, unless the host of a virtual machine makes huge pages the
// dearer (HostTakesFreedMemoryBack); small ones go to the upstream resource.
//
// A slab is reserved address space: only the blocks handed out get touched,
// so a small job stays small. Blocks given back are kept on a free list per
// size and handed out again (a growing row gives back its old block). When
// the last large block is given back (New File clears the table) the slabs
// are returned to the system.
//
// Ahead of the tail being carved, warmer threads fault the pages in, as far
// ahead as has been carved already and at most WarmAheadBytes, so the thread
// filling a full table seldom waits on a page fault and a small job still
// stays small.
//
// Not thread-safe. Must outlive every container that allocates from it.
class HugePageResource : public std::pmr::memory_resource {
public:
    static constexpr std::size_t DefaultSlabBytes = std::size_t{64} << 20;
    // Requests from this size up are carved from slabs.
    static constexpr std::size_t LargeBytes = std::size_t{64} << 10;
    static constexpr std::size_t WarmAheadBytes = std::size_t{4} << 20;

    explicit HugePageResource(std::size_t slabBytes = DefaultSlabBytes,
                              std::pmr::memory_resource* upstream = std::pmr::get_default_resource());
    ~HugePageResource() override;
    HugePageResource(const HugePageResource&) = delete;
    HugePageResource& operator=(const HugePageResource&) = delete;

    std::size_t SlabCount() const noexcept { return slabs_.size(); }
    // Bytes of large blocks currently handed out (rounded to whole pages).
    std::size_t LargeBytesInUse() const noexcept { return largeInUse_; }
    // For tests: returns when the warmer is idle; the bytes it has faulted in.
    void WaitForWarmer() { warmer_.Wait(); }
    std::size_t WarmedBytes() { return warmer_.WarmedBytes(); }

private:
    struct FreeBlock {
        FreeBlock* Next;
    };

    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    bool IsLarge(std::size_t bytes, std::size_t alignment) const noexcept;
    void* Carve(std::size_t size);
    void WarmAhead();
    void AddSlab();
    void ReleaseSlabs() noexcept;

    std::size_t slabBytes_;
    std::pmr::memory_resource* upstream_;
    bool hugePages_; // see HostTakesFreedMemoryBack
    std::vector<void*> slabs_;
    std::byte* next_ = nullptr; // the unused tail of the newest slab
    std::byte* end_ = nullptr;
    std::byte* warmedTo_ = nullptr; // of the newest slab, asked for up to here
    std::size_t carved_ = 0;
    std::map<std::size_t, FreeBlock*> freeLists_; // by rounded size; an entry exists for every size handed out
    std::size_t largeInUse_ = 0;
    PageWarmer warmer_; // waited for before any slab is unmapped
};

} // namespace tolvanor
