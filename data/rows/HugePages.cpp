#include "data/rows/HugePages.h"

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

#include <cstdint>
#include <new>

namespace cp::rows {
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

}  // namespace

// Where the system offers no such hint (Windows), blocks are plain allocations.
#ifdef MADV_HUGEPAGE

ByteBlock AllocateBytes(std::size_t& bytes) {
    void* block = nullptr;
    if (bytes >= kHugePage) {
        bytes = (bytes + kHugePage - 1) & ~(kHugePage - 1);
        block = std::aligned_alloc(kHugePage, bytes);
        // A refused hint costs nothing but the speed it would have brought.
        if (block) madvise(block, bytes, MADV_HUGEPAGE);
    } else {
        block = std::malloc(bytes);
    }
    if (!block) throw std::bad_alloc();
    return ByteBlock(static_cast<char*>(block));
}

#else

ByteBlock AllocateBytes(std::size_t& bytes) {
    void* block = std::malloc(bytes);
    if (!block) throw std::bad_alloc();
    return ByteBlock(static_cast<char*>(block));
}

#endif

}  // namespace cp::rows
