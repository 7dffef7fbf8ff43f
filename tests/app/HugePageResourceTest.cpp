// SPDX-License-Identifier: GPL-3.0-or-later
// The row memory of the programs: where blocks come from, their reuse, and a
// table on it behaving exactly like one on the default resource.
#include "app/common/HugePageResource.h"
#include "core/Job.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace tolvanor::testing {
namespace {

constexpr std::size_t TwoMegabytes = std::size_t{2} << 20;

TEST(HugePageResourceTest, CarvesLargeBlocksFromAlignedSlabsAndReusesThem) {
    HugePageResource memory(TwoMegabytes); // room for a few 300 KB blocks per slab
    void* small = memory.allocate(1000, 8);
    EXPECT_EQ(memory.SlabCount(), 0u);
    void* first = memory.allocate(300'000, 64);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % TwoMegabytes, 0u);
    void* second = memory.allocate(300'000, 64);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(second) % 4096, 0u);
    std::memset(second, 0x5a, 300'000);
    memory.deallocate(first, 300'000, 64);
    EXPECT_EQ(memory.allocate(300'000, 64), first);
    void* blocks[8];
    for (void*& block : blocks) block = memory.allocate(300'000, 64);
    EXPECT_EQ(memory.SlabCount(), 2u);
    void* oversized = memory.allocate(TwoMegabytes, 64); // more than a slab could hold a few of
    EXPECT_EQ(memory.SlabCount(), 2u);
    memory.deallocate(oversized, TwoMegabytes, 64);

    for (void* block : blocks) memory.deallocate(block, 300'000, 64);
    memory.deallocate(first, 300'000, 64);
    EXPECT_EQ(memory.SlabCount(), 2u);
    memory.deallocate(second, 300'000, 64); // the last large block: the slabs go back
    EXPECT_EQ(memory.SlabCount(), 0u);
    EXPECT_EQ(memory.LargeBytesInUse(), 0u);
    memory.deallocate(small, 1000, 8);
}

// Fills rows past the large-block size, then moves lines about.
void Work(Job& job) {
    for (std::int32_t line = 1; line <= 4; ++line) {
        for (std::int32_t shot = 0; shot <= 700 * line; shot += 1 + line)
            job.Data.Edit(line, shot).SeqNum = shot + line;
    }
    job.Data.CopyLine(2, job.UndoLine());
    job.Data.SwapLines(1, 3);
    job.Data.CopyLine(4, 2);
    job.Data.Edit(2, 3001).SeqNum = 7;
}

TEST(HugePageResourceTest, TableOnItMatchesTableOnDefaultResource) {
    HugePageResource memory;
    Job onHugePages(10, 3000, &memory);
    Job plain(10, 3000);
    Work(onHugePages);
    Work(plain);
    const Job copy = onHugePages;
    EXPECT_EQ(copy.Data.RowMemory(), &memory);
    for (std::int32_t line = 0; line <= plain.Data.LineBound(); ++line) {
        ASSERT_EQ(onHugePages.Data.StoredCount(line), plain.Data.StoredCount(line)) << line;
        ASSERT_EQ(copy.Data.StoredCount(line), plain.Data.StoredCount(line)) << line;
        for (std::int32_t shot = 0; shot <= plain.Data.ShotBound(); ++shot) {
            ASSERT_EQ(onHugePages.Data.At(line, shot), plain.Data.At(line, shot)) << line << ' ' << shot;
            ASSERT_EQ(copy.Data.At(line, shot), plain.Data.At(line, shot)) << line << ' ' << shot;
        }
    }
    EXPECT_GT(memory.SlabCount(), 0u);
    onHugePages.NewFile();
    EXPECT_EQ(onHugePages.Data.StoredCount(4), 0);
    EXPECT_GT(memory.SlabCount(), 0u); // the copy still holds its rows
}

} // namespace
} // namespace tolvanor::testing
