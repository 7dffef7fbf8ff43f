// SPDX-License-Identifier: GPL-3.0-or-later
// Faulting row memory in ahead of use: what gets warmed, that contents stay,
// and the check for a host that takes freed memory back.
#include "app/common/PageWarmer.h"
#include "app/common/HostMemory.h"
#include "app/common/HugePageResource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace tolvanor::testing {
namespace {

constexpr std::size_t Megabyte = std::size_t{1} << 20;

// Pages of [begin, begin + bytes) that are in memory.
std::size_t ResidentPages(const void* begin, std::size_t bytes) {
    const auto pageBytes = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> pages((bytes + pageBytes - 1) / pageBytes);
    if (::mincore(const_cast<void*>(begin), bytes, pages.data()) != 0) return 0;
    std::size_t resident = 0;
    for (unsigned char page : pages) resident += page & 1;
    return resident;
}

TEST(PageWarmerTest, FaultsRangesInAndKeepsWhatIsWritten) {
    const std::size_t bytes = 6 * Megabyte;
    auto* memory =
        static_cast<std::byte*>(::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(memory, MAP_FAILED);
    std::memset(memory + 3 * Megabyte, 0x5a, 4096); // written before it is warmed
    {
        PageWarmer warmer;
        warmer.Warm(memory + Megabyte, memory + 5 * Megabyte);
        warmer.Warm(memory, memory); // nothing
        warmer.Wait();
        EXPECT_EQ(warmer.WarmedBytes(), 4 * Megabyte);
    }
    const auto pageBytes = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    EXPECT_EQ(ResidentPages(memory + Megabyte, 4 * Megabyte), 4 * Megabyte / pageBytes);
    EXPECT_EQ(ResidentPages(memory + 5 * Megabyte, Megabyte), 0u);
    EXPECT_EQ(static_cast<unsigned char>(memory[3 * Megabyte + 4095]), 0x5a);
    EXPECT_EQ(static_cast<unsigned char>(memory[3 * Megabyte + 4096]), 0);
    ::munmap(memory, bytes);
}

TEST(PageWarmerTest, WarmsAheadOfALargeTableOnlyAndStopsBeforeTheSlabsGoBack) {
    constexpr std::size_t Block = 256 * 1024;
    HugePageResource memory;
    std::vector<void*> blocks;
    for (int i = 0; i < 4; ++i) blocks.push_back(memory.allocate(Block, 64)); // a small job: 1 MB
    memory.WaitForWarmer();
    EXPECT_EQ(memory.WarmedBytes(), 0u);

    while (blocks.size() < 40) blocks.push_back(memory.allocate(Block, 64)); // 10 MB
    memory.WaitForWarmer();
    const std::size_t warmed = memory.WarmedBytes();
    EXPECT_GE(warmed, HugePageResource::WarmAheadBytes);
    EXPECT_LE(warmed, 10 * Megabyte + HugePageResource::WarmAheadBytes);
    // The next blocks to be handed out are in memory already.
    const auto* tail = static_cast<const std::byte*>(blocks.back()) + Block;
    EXPECT_GT(ResidentPages(tail, 2 * Megabyte), 0u);

    // Everything given back at once, while the warmer may still be busy.
    for (int round = 0; round < 3; ++round) {
        while (blocks.size() < 200) blocks.push_back(memory.allocate(Block, 64));
        for (void* block : blocks) memory.deallocate(block, Block, 64);
        blocks.clear();
        EXPECT_EQ(memory.SlabCount(), 0u);
    }
}

// A fake virtio balloon driver folder with one device of the given feature bits.
std::filesystem::path FakeBalloon(const std::string& name, const std::string& features) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / ("balloon-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "virtio3");
    std::ofstream(folder / "virtio3" / "features") << features << '\n';
    std::filesystem::create_directories(folder / "module"); // not a device
    return folder;
}

TEST(HostMemoryTest, FreePageReportingIsFeatureBitFive) {
    EXPECT_TRUE(HostTakesFreedMemoryBack(FakeBalloon("reporting", "0110010100000000000000000000000010")));
    EXPECT_FALSE(HostTakesFreedMemoryBack(FakeBalloon("hinting", "0111100000000000000000000000000010")));
    EXPECT_FALSE(HostTakesFreedMemoryBack(FakeBalloon("short", "01100")));
    EXPECT_FALSE(HostTakesFreedMemoryBack(std::filesystem::path(::testing::TempDir()) / "no-such-driver"));
}

} // namespace
} // namespace tolvanor::testing
