// An allocator for the cell table's blocks. A block of two megabytes or more is aligned to a
// huge page and advised to be backed by huge pages where the system offers them: a million
// rows' cells written once, front to back, then cost a few dozen page faults instead of twelve
// thousand, which in a fresh process (and on a virtual machine most of all) take longer than
// writing the cells. Smaller blocks are plain allocations.
#pragma once

#include <cstddef>
#include <new>

namespace cp {

namespace large_blocks {
void* Allocate(std::size_t bytes);
void Free(void* block, std::size_t bytes) noexcept;
}  // namespace large_blocks

template <class T>
struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <class U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(large_blocks::Allocate(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { large_blocks::Free(p, n * sizeof(T)); }
    template <class U>
    friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator<U>&) {
        return true;
    }
};

}  // namespace cp
