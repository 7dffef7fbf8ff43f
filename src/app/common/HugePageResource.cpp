// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/common/HugePageResource.h"

#include "app/common/HostMemory.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace tolvanor {

namespace {

constexpr std::size_t PageBytes = 4096;
constexpr std::size_t HugePageBytes = std::size_t{2} << 20;

constexpr std::size_t RoundUp(std::size_t value, std::size_t unit) noexcept {
    return (value + unit - 1) / unit * unit;
}

} // namespace

HugePageResource::HugePageResource(std::size_t slabBytes, std::pmr::memory_resource* upstream)
    : slabBytes_(RoundUp(slabBytes == 0 ? 1 : slabBytes, HugePageBytes)), upstream_(upstream),
      hugePages_(!HostTakesFreedMemoryBack()) {}

HugePageResource::~HugePageResource() {
    ReleaseSlabs();
}

bool HugePageResource::IsLarge(std::size_t bytes, std::size_t alignment) const noexcept {
    // Anything a slab could not hold a few of goes upstream, so a slab's
    // unusable tail stays small.
    return bytes >= LargeBytes && bytes <= slabBytes_ / 4 && alignment <= PageBytes;
}

void* HugePageResource::do_allocate(std::size_t bytes, std::size_t alignment) {
    if (!IsLarge(bytes, alignment)) return upstream_->allocate(bytes, alignment);
    const std::size_t size = RoundUp(bytes, PageBytes);
    // The entry is made here so that giving the block back never allocates.
    FreeBlock*& head = freeLists_.try_emplace(size, nullptr).first->second;
    void* block = nullptr;
    if (head != nullptr) {
        block = head;
        head = head->Next;
    } else {
        block = Carve(size);
    }
    largeInUse_ += size;
    return block;
}

void HugePageResource::do_deallocate(void* block, std::size_t bytes, std::size_t alignment) {
    if (!IsLarge(bytes, alignment)) {
        upstream_->deallocate(block, bytes, alignment);
        return;
    }
    const std::size_t size = RoundUp(bytes, PageBytes);
    FreeBlock*& head = freeLists_.find(size)->second;
    head = ::new (block) FreeBlock{head};
    largeInUse_ -= size;
    if (largeInUse_ == 0) ReleaseSlabs();
}

void* HugePageResource::Carve(std::size_t size) {
    if (static_cast<std::size_t>(end_ - next_) < size) AddSlab();
    void* block = next_;
    next_ += size;
    carved_ += size;
    WarmAhead();
    return block;
}

void HugePageResource::WarmAhead() {
    const std::size_t ahead = std::min({WarmAheadBytes, carved_, static_cast<std::size_t>(end_ - next_)});
    std::byte* from = std::max(warmedTo_, next_);
    std::byte* to = next_ + ahead;
    // Whole huge pages at a time, or all that is left of the slab.
    if (to - from < static_cast<std::ptrdiff_t>(HugePageBytes) && to != end_) return;
    warmer_.Warm(from, to);
    warmedTo_ = to;
}

void HugePageResource::AddSlab() {
    slabs_.reserve(slabs_.size() + 1);
    // Map one huge page more than needed and trim to a 2 MB boundary, so that
    // every 2 MB of the slab can be one huge page.
    const std::size_t mapped = slabBytes_ + HugePageBytes;
    void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    auto* start = static_cast<std::byte*>(raw);
    auto* slab = reinterpret_cast<std::byte*>(RoundUp(reinterpret_cast<std::uintptr_t>(start), HugePageBytes));
    if (slab != start) ::munmap(start, static_cast<std::size_t>(slab - start));
    const std::size_t tail = mapped - static_cast<std::size_t>(slab - start) - slabBytes_;
    if (tail != 0) ::munmap(slab + slabBytes_, tail);
    // Without transparent huge pages the slab still works, in small pages.
    if (hugePages_) ::madvise(slab, slabBytes_, MADV_HUGEPAGE);
    slabs_.push_back(slab);
    next_ = warmedTo_ = slab;
    end_ = slab + slabBytes_;
}

void HugePageResource::ReleaseSlabs() noexcept {
    warmer_.Wait();
    for (void* slab : slabs_) ::munmap(slab, slabBytes_);
    slabs_.clear();
    freeLists_.clear();
    next_ = end_ = nullptr;
}

} // namespace tolvanor
