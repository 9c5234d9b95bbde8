#include "table/LargeBlocks.h"

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace cp::large_blocks {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

bool Large([[maybe_unused]] std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    return bytes >= kHugePage;
#else
    // Where the system offers no such hint (Windows), every block is a plain allocation.
    return false;
#endif
}

}  // namespace

void* Allocate(std::size_t bytes) {
    if (!Large(bytes)) return ::operator new(bytes);
    void* block = ::operator new (bytes, std::align_val_t{kHugePage});
#ifdef MADV_HUGEPAGE
    // A refused hint costs nothing but the speed it would have brought.
    madvise(block, bytes, MADV_HUGEPAGE);
#endif
    return block;
}

void Free(void* block, std::size_t bytes) noexcept {
    if (Large(bytes)) {
        ::operator delete (block, std::align_val_t{kHugePage});
    } else {
        ::operator delete(block);
    }
}

}  // namespace cp::large_blocks
