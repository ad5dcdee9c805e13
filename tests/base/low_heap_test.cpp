#include "base/low_heap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "kvd/error.h"
#include "kvd/ptr32.h"

namespace lh = kvd::lowheap;

TEST(LowHeap, BlocksLieBelow4GiBAreZeroedAndReused) {
    const std::size_t live = lh::LiveBlocks();
    std::vector<void*> blocks;
    for (std::size_t size : {64u, 36u, 192u, 24u, 140u, 220u, 1088u, 24688u}) {
        for (int i = 0; i < 50; ++i) {
            auto* p = static_cast<unsigned char*>(lh::Allocate(size));
            ASSERT_LT(reinterpret_cast<std::uintptr_t>(p) + size, std::uintptr_t{1} << 32);
            for (std::size_t k = 0; k < size; ++k) ASSERT_EQ(p[k], 0) << size;
            std::memset(p, 0xAB, size);
            blocks.push_back(p);
        }
    }
    EXPECT_EQ(lh::LiveBlocks(), live + blocks.size());
    std::set<void*> distinct(blocks.begin(), blocks.end());
    EXPECT_EQ(distinct.size(), blocks.size());

    void* last = blocks.back();
    for (void* p : blocks) lh::Free(p);
    EXPECT_EQ(lh::LiveBlocks(), live);
    // A freed block of the same class comes back, zero-filled again.
    auto* again = static_cast<unsigned char*>(lh::Allocate(24688));
    EXPECT_EQ(again, last);
    EXPECT_EQ(again[100], 0);
    lh::Free(again);
    lh::Free(nullptr);
}

TEST(LowHeap, RefusesUnsupportedSizes) {
    EXPECT_THROW(lh::Allocate(0), kvd::Error);
    EXPECT_THROW(lh::Allocate(1 << 20), kvd::Error);
}

TEST(LowHeap, ExhaustionIsAClearErrorNotACrash) {
    lh::SetMappedLimitForTesting(lh::MappedBytes());  // no new chunk may be mapped
    std::vector<void*> got;
    try {
        for (int i = 0; i < 100000; ++i) got.push_back(lh::Allocate(4096 + 8 * 13));
        FAIL() << "the capped heap never ran out";
    } catch (const kvd::Error& e) {
        EXPECT_NE(std::string(e.what()).find("below 4 GiB"), std::string::npos) << e.what();
    }
    lh::SetMappedLimitForTesting(lh::kNoLimit);
    for (void* p : got) lh::Free(p);
}

TEST(Ptr32, HoldsLowAddressesAndRefusesHighOnes) {
    auto* p = lh::New<std::uint64_t>();
    kvd::Ptr32<std::uint64_t> link = p;
    EXPECT_EQ(link.get(), p);
    EXPECT_EQ(sizeof link, 4u);
    int onTheStack = 0;
    if (reinterpret_cast<std::uintptr_t>(&onTheStack) > 0xFFFFFFFFu) {
        EXPECT_THROW((kvd::Ptr32<int>(&onTheStack)), kvd::Error);
    }
    lh::Free(p);
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KVD_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KVD_TEST_ASAN 1
#endif
#ifdef KVD_TEST_ASAN
#include <sanitizer/asan_interface.h>
TEST(LowHeap, FreedBlocksArePoisonedUntilHandedOutAgain) {
    auto* p = static_cast<char*>(lh::Allocate(64));
    EXPECT_FALSE(__asan_address_is_poisoned(p));
    lh::Free(p);
    EXPECT_TRUE(__asan_address_is_poisoned(p));
    EXPECT_TRUE(__asan_address_is_poisoned(p + 63));
    auto* q = static_cast<char*>(lh::Allocate(64));
    EXPECT_EQ(q, p);
    EXPECT_FALSE(__asan_address_is_poisoned(q + 63));
    lh::Free(q);
}
#endif
