// The measure of memory in use that the leak checks of these tests and of the COM-edge fuzzer
// take. These tests run under Wine's heap checks, which keep the latest freed blocks from reuse:
// memory given back must no longer count, or the same work would seem to keep more or less from
// one look to the next, as much as the freed blocks that happen to be held back weigh.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/win32/WindowsApi.h"
#include "tests/support/win32/HeapInUse.h"

namespace cp::test {
namespace {

TEST(HeapMeasure, CountsBlocksInUseAndNoneOnceFreed) {
    constexpr int kBlocks = 64;  // far fewer than the frees that the heap checks hold back
    constexpr std::int64_t kBlockBytes = 16 * 1024;
    constexpr std::int64_t kNoise = 16 * 1024;
    HANDLE heap = ::GetProcessHeap();
    void* blocks[kBlocks] = {};
    const std::int64_t before = HeapBytesInUse();
    for (void*& block : blocks) {
        block = ::HeapAlloc(heap, 0, kBlockBytes);
        ASSERT_NE(block, nullptr);
    }
    const std::int64_t held = HeapBytesInUse();
    for (void* block : blocks)
        ::HeapFree(heap, 0, block);
    const std::int64_t after = HeapBytesInUse();
    EXPECT_GE(held - before, kBlocks * kBlockBytes) << "blocks in use count";
    EXPECT_LT(after - before, kNoise) << "freed blocks count no more; before " << before
                                      << ", with the blocks " << held << ", after " << after;
}

}  // namespace
}  // namespace cp::test
